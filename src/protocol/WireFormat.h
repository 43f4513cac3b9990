#pragma once

#include <cstdint>

// Codes and sizes of the game's connectionless control messages.
namespace Wire {

inline constexpr std::uint8_t CCREQ_SERVER_INFO = 0x02;
inline constexpr std::uint8_t CCREQ_PLAYER_INFO = 0x03;
inline constexpr std::uint8_t CCREQ_RULE_INFO = 0x04;
inline constexpr std::uint8_t CCREP_SERVER_INFO = 0x83;
inline constexpr std::uint8_t CCREP_PLAYER_INFO = 0x84;
inline constexpr std::uint8_t CCREP_RULE_INFO = 0x85;

inline constexpr std::uint8_t NetflagCtlTopByte = 0x80;
inline constexpr std::uint8_t ProtocolVersion = 3;

inline constexpr int CodeOffset = 4;
inline constexpr int ServerInfoRequestLength = 12;
inline constexpr int PlayerInfoRequestLength = 6;
inline constexpr int RuleInfoRequestBaseLength = 6;

} // namespace Wire
