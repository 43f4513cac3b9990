#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>
#include <cstdint>
#include <optional>

// One player as a server lists him: from a line of its status answer, or from its answer to a
// player-info request. Fields a server did not give are left empty.
// Small, since a browser may hold thousands of them.
struct ServerPlayer {
    // Raw bytes in the game's 8-bit character set; may hold anything a hostile server sends.
    QByteArray name;
    int frags = 0;
    std::optional<int> pingMs;
    std::optional<int> secondsConnected;
    // 0..15, or -1 when not given.
    std::int8_t shirt = -1;
    std::int8_t pants = -1;
};

// The answer to "getstatus" (statusResponse, with players) or "getinfo" (infoResponse, without),
// which the engines that register with a master give on the game port.
struct StatusReply {
    bool withPlayers = false;
    // The key and value pairs in the order sent; a key without a value is left out.
    QList<QPair<QByteArray, QByteArray>> info;
    QList<ServerPlayer> players;

    // The first value of the key, or empty.
    QByteArray Value(QByteArrayView key) const;
};

// Reads a status or info answer; nothing when the datagram is neither.
std::optional<StatusReply> ParseStatusReply(QByteArrayView datagram);

// "\xFF\xFF\xFF\xFFgetstatus"
QByteArray StatusRequest();
