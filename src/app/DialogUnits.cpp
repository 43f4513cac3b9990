#include "DialogUnits.h"

#include <QFontMetrics>

// The platform's dialogs take the average width of the 52 letters, not the font's declared average
// character width, which for most fonts is narrower than its letters and would clip the labels.
DialogUnits DialogUnits::ForFont(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(letters / 26 + 1) / 2, metrics.height()};
}
