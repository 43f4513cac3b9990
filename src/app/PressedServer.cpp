#include "PressedServer.h"

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>

PressedServer::PressedServer(QAbstractItemView& view, TargetAt targetAt)
    : QObject(&view), view(view), viewport(view.viewport()), targetAt(std::move(targetAt)) {
    view.viewport()->installEventFilter(this);
}

// The second press of a double-click keeps the first one's server: that is the one aimed at,
// whatever moved under the pointer since. True for such a press.
bool PressedServer::NotePress(const QMouseEvent& press) {
    const QPoint point = press.position().toPoint();
    if (target &&
        press.timestamp() - time <=
            quint64(QGuiApplication::styleHints()->mouseDoubleClickInterval()) &&
        (point - at).manhattanLength() <= QGuiApplication::styleHints()->startDragDistance())
        return true;
    time = press.timestamp();
    at = point;
    const QModelIndex index = view.indexAt(point);
    target = index.isValid() ? std::optional(targetAt(index)) : std::nullopt;
    return false;
}

// The second press and the double-click go no further than here: in the view they would select
// the row now under the pointer rather than the server chosen.
bool PressedServer::eventFilter(QObject* watched, QEvent* event) {
    const auto left = [event] {
        return static_cast<const QMouseEvent&>(*event).button() == Qt::LeftButton;
    };
    if (watched == viewport && event->type() == QEvent::MouseButtonPress && left())
        return NotePress(static_cast<const QMouseEvent&>(*event));
    if (watched == viewport && event->type() == QEvent::MouseButtonDblClick && left() && target) {
        emit DoubleClicked(*target);
        return true;
    }
    return QObject::eventFilter(watched, event);
}
