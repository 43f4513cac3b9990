#include "PlayerColours.h"

#include <array>

namespace {
constexpr std::array<const char*, 14> colourNames = {
    "white", "brown",  "light blue", "green", "red",  "olive",  "orange",
    "peach", "purple", "magenta",    "tan",   "teal", "yellow", "blue",
};
} // namespace

QString PlayerColourName(int colour) {
    if (colour >= 0 && colour < int(colourNames.size()))
        return QString::fromLatin1(colourNames[colour]);
    return QStringLiteral("colour %1").arg(colour);
}
