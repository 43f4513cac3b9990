#pragma once

#include <QString>
#include <cstdint>

// The name of a shirt or pants colour as the game's colour menu shows it. 14 and 15 exist on the
// wire but cannot be chosen in the game, so they have no name of their own.
QString PlayerColourName(int colour);

// The colour as 0xRRGGBB: the palette entry the game paints a player's clothes with at full light
// (the palette is the game's own, which id Software placed in the public domain).
std::uint32_t PlayerColourRgb(int colour);
