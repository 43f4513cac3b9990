#pragma once

#include <QObject>
#include <QTimer>

class HistoryStore;

// Rolls the history up at once and every hour after, for as long as it lives, so that a window
// or a watch left running for days keeps its file small.
class HourlyRollUp final : public QObject {
    Q_OBJECT

public:
    explicit HourlyRollUp(HistoryStore& store, QObject* parent = nullptr);

private:
    void RollUp();

    HistoryStore& store;
    QTimer timer;
};
