#pragma once

#include <QColor>

// A colour between two, `part` (0 to 1) of the way to the second: shades taken from a palette
// stay readable on dark palettes as on light ones.
inline QColor ColourMix(const QColor& from, const QColor& to, double part) {
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * part),
                            float(from.greenF() + (to.greenF() - from.greenF()) * part),
                            float(from.blueF() + (to.blueF() - from.blueF()) * part));
}
