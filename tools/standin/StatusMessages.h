#pragma once

#include "StandInConfig.h"

#include <QByteArray>
#include <optional>

// The text messages of the master-server protocol that a server registered with a master answers
// on its game port: four bytes 0xFF, then "getinfo" or "getstatus" and an optional challenge.
namespace StandIn {

struct StatusRequest {
    bool withPlayers = false;
    QByteArray challenge;
};

// Takes what QuakeSpasm-Spiked takes: the first word is the command, and the rest of the text,
// cut at a zero byte and at 127 bytes, is the challenge.
std::optional<StatusRequest> ParseStatusRequest(const QByteArray& datagram);

// "\xFF\xFF\xFF\xFFstatusResponse\n" or "...infoResponse\n".
QByteArray StatusHeader(bool withPlayers);
// The \key\value pairs in QuakeSpasm-Spiked's order, with the challenge last when there is one.
QByteArray InfoPairs(const StandInConfig& config, const QByteArray& challenge);
// "\n<frags> <ping> <pants>_<shirt> \"<name>\"": the colour byte's low nibble first; the name as
// it stands, quotes and all.
QByteArray PlayerLine(const StandInPlayer& player);

// The whole answer: for getstatus the pairs and then a line per player, for getinfo the pairs.
QByteArray StatusAnswer(const StatusRequest& request, const StandInConfig& config);

} // namespace StandIn
