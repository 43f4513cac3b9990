#include "ColourSwatch.h"

#include "PlayerColours.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int Side = 12;

QColor Colour(int colour) {
    return QColor::fromRgb(PlayerColourRgb(colour));
}

QIcon Framed(const QColor& top, const QColor& bottom) {
    QPixmap pixmap(Side, Side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(0, 0, Side, Side / 2, top);
    painter.fillRect(0, Side / 2, Side, Side - Side / 2, bottom);
    painter.setPen(QColor(40, 40, 40));
    painter.drawRect(0, 0, Side - 1, Side - 1);
    return QIcon(pixmap);
}

} // namespace

QIcon ColourSwatch(int colour) {
    return Framed(Colour(colour), Colour(colour));
}

QIcon ShirtAndPantsMark(int shirt, int pants) {
    return Framed(Colour(shirt), Colour(pants));
}
