#include "PlayerColours.h"

#include <array>

namespace {
constexpr std::array<const char*, 14> colourNames = {
    "white", "brown",  "light blue", "green", "red",  "olive",  "orange",
    "peach", "purple", "magenta",    "tan",   "teal", "yellow", "blue",
};

// Colour c is the palette's row c; rows 8 to 13 run from light to dark, the others from dark to
// light, so the bright entry is the 4th or the 12th of the row.
constexpr std::array<std::uint32_t, 16> colourRgb = {
    0xbbbbbb, 0x7b5f23, 0x7373a3, 0x53530b, 0x670000, 0x8b5b13, 0xcf8f2b, 0xb7876b,
    0x7f5b6f, 0x8b4f6b, 0xa3877b, 0x4f6357, 0xbba70f, 0x2323bf, 0xe3974f, 0xfff393,
};
} // namespace

QString PlayerColourName(int colour) {
    if (colour >= 0 && colour < int(colourNames.size()))
        return QString::fromLatin1(colourNames[colour]);
    return QStringLiteral("colour %1").arg(colour);
}

std::uint32_t PlayerColourRgb(int colour) {
    return colourRgb[static_cast<std::size_t>(colour) & 0x0F];
}
