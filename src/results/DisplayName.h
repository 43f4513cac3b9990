#pragma once

#include "FixedText.h"

#include <QString>
#include <string_view>

using DisplayName = FixedText<20>;

// The name a player is listed and scripted under: placeholders for the names that say nothing,
// cut to what the field holds.
DisplayName MakeDisplayName(std::string_view received);

// The display name as a player list shows it: with asciinames 1 the game's graphic characters
// fold onto ASCII.
QString ShownPlayerName(std::string_view received, int asciinames);
