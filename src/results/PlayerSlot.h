#pragma once

#include "FixedText.h"

#include <array>
#include <cstdint>

// The last reply received for one player number. Records are kept from query to query.
struct PlayerSlot {
    std::uint8_t number = 0;
    std::int32_t frags = 0;
    std::int32_t connectTime = 0;
    FixedText<52> address;
    std::uint8_t pants = 0;
    std::uint8_t shirt = 0;
    FixedText<52> name;
};

inline constexpr int PlayerSlotCount = 16;
using PlayerSlots = std::array<PlayerSlot, PlayerSlotCount>;
