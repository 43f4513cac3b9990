#pragma once

#include <QRect>
#include <QSize>

class QFont;

// Converts the dialog units of the window templates to pixels: a horizontal unit is a quarter of
// the font's average letter width, a vertical unit an eighth of its height. Each value is
// converted on its own and rounded to the nearest pixel, as the platform's dialogs do.
class DialogUnits {
public:
    DialogUnits(int averageCharWidth, int fontHeight)
        : charWidth(averageCharWidth), fontHeight(fontHeight) {}
    static DialogUnits ForFont(const QFont& font);

    int X(int units) const { return Scale(units, charWidth, 4); }
    int Y(int units) const { return Scale(units, fontHeight, 8); }
    QSize Size(int w, int h) const { return {X(w), Y(h)}; }
    QRect Rect(int x, int y, int w, int h) const { return {X(x), Y(y), X(w), Y(h)}; }

private:
    static int Scale(int units, int base, int divisor) {
        return (units * base + divisor / 2) / divisor;
    }

    int charWidth;
    int fontHeight;
};
