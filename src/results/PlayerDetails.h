#pragma once

#include "PlayerSlot.h"
#include "query/MainView.h"

// The seven rows of the details list for one player; the name is converted for display when
// asciinames is anything but 0.
DetailRows PlayerDetailRows(const PlayerSlot& player, int asciinames);
