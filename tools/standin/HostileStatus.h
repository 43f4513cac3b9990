#pragma once

#include "StandInConfig.h"

#include <QByteArray>

// Status answers a broken or malicious server might send, each built around the server's own
// pairs so that the rest of the answer still reads.
namespace StandIn {

enum class HostileStatus {
    // Names holding '"', '\', bytes above 127 and a line feed.
    Names,
    // Lines without numbers, without a name, with an unclosed quote, with numbers too big.
    BrokenLines,
    // More player lines than any server has slots.
    ManyPlayers,
    // A key with an empty value, a key with none at the end, an empty key.
    KeysWithoutValues,
    // One datagram of OverlongLength bytes.
    Overlong,
};

inline constexpr int HostilePlayerLines = 300;
inline constexpr int OverlongLength = 60000;

QByteArray HostileStatusAnswer(HostileStatus kind, const StandInConfig& config);

} // namespace StandIn
