#pragma once

#include <QString>

// The name of a shirt or pants colour as the game's colour menu shows it. 14 and 15 exist on the
// wire but cannot be chosen in the game, so they have no name of their own.
QString PlayerColourName(int colour);
