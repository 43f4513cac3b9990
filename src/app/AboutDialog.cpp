#include "AboutDialog.h"

#include "AppIcon.h"
#include "ControlTable.h"
#include "DialogUnits.h"
#include "TemplateWidgets.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

namespace {

constexpr Qt::WindowFlags WindowStyle = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

constexpr int IconSize = 16;

// The OK button sits in the middle of the picture's frame, so the icon stands on either side of
// it rather than behind it.
QPixmap IconsBeside(const QLabel& frame, const QWidget& button) {
    const QRect inside = frame.contentsRect().translated(frame.pos());
    const QRect covered = button.geometry().translated(-inside.topLeft());
    const int leftGap = covered.left();
    const int rightGap = inside.width() - covered.right() - 1;
    const int side = std::min({IconSize, leftGap, rightGap});
    const int y = (inside.height() - side) / 2;

    const qreal ratio = frame.devicePixelRatioF();
    QPixmap picture(inside.size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const QIcon icon = AppIcon();
    icon.paint(&painter, (leftGap - side) / 2, y, side, side);
    icon.paint(&painter, covered.right() + 1 + (rightGap - side) / 2, y, side, side);
    return picture;
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent, WindowStyle) {
    CreateControls(*this, AboutWindowTemplate(), DialogUnits::ForFont(font()));
    auto* ok = ControlNamed<QPushButton>(*this, "okButton");
    auto* picture = ControlNamed<QLabel>(*this, "picture");
    picture->setPixmap(IconsBeside(*picture, *ok));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
