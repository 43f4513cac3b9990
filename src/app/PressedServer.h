#pragma once

#include "HostPort.h"

#include <QObject>
#include <QPoint>
#include <functional>
#include <optional>

class QAbstractItemView;
class QModelIndex;
class QMouseEvent;

// Which server a double-click on a table of servers chooses: the one under the pointer at the
// press. Answers re-sort the rows meanwhile, so by the second click the row under the pointer may
// show another server. Watches the view's viewport, and keeps the double-click from the view.
class PressedServer final : public QObject {
    Q_OBJECT

public:
    using TargetAt = std::function<HostPort(const QModelIndex&)>;

    PressedServer(QAbstractItemView& view, TargetAt targetAt);

signals:
    void DoubleClicked(const HostPort& server);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool NotePress(const QMouseEvent& press);

    QAbstractItemView& view;
    // Compared as it stands: the view calls its viewport's filters while it is taken down.
    const QObject* viewport;
    TargetAt targetAt;
    // The server under the pointer at the last press, and that press.
    std::optional<HostPort> target;
    QPoint at;
    quint64 time = 0;
};
