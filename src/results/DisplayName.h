#pragma once

#include "FixedText.h"

#include <string_view>

using DisplayName = FixedText<20>;

// The name a player is listed and scripted under: placeholders for the names that say nothing,
// cut to what the field holds.
DisplayName MakeDisplayName(std::string_view received);
