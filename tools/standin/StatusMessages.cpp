#include "StatusMessages.h"

namespace StandIn {
namespace {

// The engine copies the challenge into a buffer of 128 bytes.
constexpr qsizetype MaxChallenge = 127;

const QByteArray ControlPrefix(4, '\xff');

// Blanks as the game's console tokenizer skips them: every byte up to a space, but not a line
// feed, which ends the command.
qsizetype SkipBlanks(const QByteArray& text, qsizetype at) {
    while (at < text.size() && quint8(text[at]) <= ' ' && text[at] != '\n')
        ++at;
    return at;
}

QByteArray Pair(const QByteArray& key, const QByteArray& value) {
    return '\\' + key + '\\' + value;
}

// The server writes deathmatch and teamplay always, as cvars that are never empty.
QByteArray RuleValue(const StandInConfig& config, const QByteArray& name) {
    for (const StandInRule& rule : config.rules) {
        if (rule.name == name)
            return rule.value;
    }
    return "0";
}

} // namespace

std::optional<StatusRequest> ParseStatusRequest(const QByteArray& datagram) {
    if (!datagram.startsWith(ControlPrefix))
        return std::nullopt;
    QByteArray text = datagram.mid(ControlPrefix.size());
    const qsizetype zero = text.indexOf('\0');
    if (zero >= 0)
        text.truncate(zero);
    const qsizetype start = SkipBlanks(text, 0);
    qsizetype end = start;
    while (end < text.size() && quint8(text[end]) > ' ')
        ++end;
    const QByteArray command = text.mid(start, end - start);
    if (command != "getstatus" && command != "getinfo")
        return std::nullopt;
    StatusRequest request;
    request.withPlayers = command == "getstatus";
    const qsizetype arguments = SkipBlanks(text, end);
    if (arguments < text.size() && text[arguments] != '\n')
        request.challenge = text.mid(arguments, MaxChallenge);
    return request;
}

QByteArray StatusHeader(bool withPlayers) {
    return ControlPrefix + (withPlayers ? "statusResponse\n" : "infoResponse\n");
}

QByteArray InfoPairs(const StandInConfig& config, const QByteArray& challenge) {
    QByteArray pairs = Pair("gamename", "FTE-Quake") + Pair("protocol", "3") +
                       Pair("ver", config.engine) +
                       Pair("nqprotocol", QByteArray::number(config.nqProtocol));
    if (!config.modName.isEmpty())
        pairs += Pair("modname", config.modName);
    if (!config.mapName.isEmpty())
        pairs += Pair("mapname", config.mapName);
    pairs += Pair("deathmatch", RuleValue(config, "deathmatch")) +
             Pair("teamplay", RuleValue(config, "teamplay"));
    if (!config.serverName.isEmpty())
        pairs += Pair("hostname", config.serverName);
    pairs += Pair("clients", QByteArray::number(config.players.size())) +
             Pair("sv_maxclients", QByteArray::number(config.maxPlayers));
    if (!challenge.isEmpty())
        pairs += Pair("challenge", challenge);
    return pairs;
}

QByteArray PlayerLine(const StandInPlayer& player) {
    return '\n' + QByteArray::number(player.frags) + ' ' + QByteArray::number(player.pingMs) + ' ' +
           QByteArray::number(player.pants & 0x0f) + '_' + QByteArray::number(player.shirt & 0x0f) +
           " \"" + player.name + '"';
}

QByteArray StatusAnswer(const StatusRequest& request, const StandInConfig& config) {
    QByteArray answer = StatusHeader(request.withPlayers) + InfoPairs(config, request.challenge);
    if (request.withPlayers) {
        for (const StandInPlayer& player : config.players)
            answer += PlayerLine(player);
    }
    return answer;
}

} // namespace StandIn
