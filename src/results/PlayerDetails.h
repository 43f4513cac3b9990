#pragma once

#include "PlayerSlot.h"

#include <QString>
#include <array>

struct DetailRow {
    QString label;
    QString value;
    // The player colour the row shows, or -1.
    int colour = -1;
};
using DetailRows = std::array<DetailRow, 7>;

// The seven rows of the details list for one player; the name is converted for display when
// asciinames is anything but 0.
DetailRows PlayerDetailRows(const PlayerSlot& player, int asciinames);
