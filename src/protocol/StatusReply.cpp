#include "StatusReply.h"

namespace {

constexpr QByteArrayView Prefix("\xFF\xFF\xFF\xFF");
constexpr QByteArrayView StatusHeader("statusResponse");
constexpr QByteArrayView InfoHeader("infoResponse");
// A server has at most 255 players; lines past them are a hostile server's.
constexpr int MostPlayerLines = 255;
constexpr int MostPairs = 256;
// The engines keep names of at most 32 bytes; a longer one is cut rather than kept whole.
constexpr qsizetype LongestName = 64;

// Calls take(part) for each part of the text between separators, until it returns false.
template <typename Take> void ForEachPart(QByteArrayView text, char separator, Take take) {
    for (qsizetype from = 0; from <= text.size();) {
        qsizetype to = text.indexOf(separator, from);
        if (to < 0)
            to = text.size();
        if (!take(text.sliced(from, to - from)))
            return;
        from = to + 1;
    }
}

std::optional<int> Number(QByteArrayView token) {
    bool ok = false;
    const int value = token.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::int8_t Nibble(std::optional<int> value) {
    return value && *value >= 0 && *value <= 15 ? std::int8_t(*value) : std::int8_t(-1);
}

// The fields before the name: numbers, frags first and the ping next, and QuakeSpasm-Spiked's
// colours as "pants_shirt". False when a field is none of these.
bool ReadNumbers(QByteArrayView fields, ServerPlayer& player) {
    int numbers = 0;
    bool read = true;
    ForEachPart(fields, ' ', [&](QByteArrayView field) {
        if (field.isEmpty())
            return true;
        const qsizetype joint = field.indexOf('_');
        if (joint >= 0) {
            const std::optional<int> pants = Number(field.first(joint));
            const std::optional<int> shirt = Number(field.sliced(joint + 1));
            player.pants = Nibble(pants);
            player.shirt = Nibble(shirt);
            return read = pants && shirt;
        }
        const std::optional<int> number = Number(field);
        if (number && numbers == 0)
            player.frags = *number;
        else if (number && numbers == 1 && *number >= 0)
            player.pingMs = *number;
        ++numbers;
        return read = number.has_value();
    });
    return read && numbers > 0;
}

// The quoted texts that end the line; the last is the name, any before it (FTE's team) are
// skipped. A quote ends a text when the line ends after it or another text follows; any other
// quote belongs to the name.
std::optional<QByteArray> ReadName(QByteArrayView quoted) {
    qsizetype open = 0;
    for (qsizetype close = 1; close < quoted.size(); ++close) {
        if (quoted[close] != '"')
            continue;
        if (close == quoted.size() - 1)
            return quoted.sliced(open + 1, qMin(close - open - 1, LongestName)).toByteArray();
        qsizetype next = close + 1;
        while (next < quoted.size() && quoted[next] == ' ')
            ++next;
        if (next > close + 1 && next < quoted.size() && quoted[next] == '"')
            open = close = next;
    }
    return std::nullopt;
}

std::optional<ServerPlayer> ReadPlayer(QByteArrayView line) {
    const qsizetype quote = line.indexOf('"');
    ServerPlayer player;
    if (quote < 0 || !ReadNumbers(line.first(quote), player))
        return std::nullopt;
    std::optional<QByteArray> name = ReadName(line.sliced(quote).trimmed());
    if (!name)
        return std::nullopt;
    player.name = std::move(*name);
    return player;
}

void ReadPairs(QByteArrayView line, StatusReply& reply) {
    if (line.startsWith('\\'))
        line = line.sliced(1);
    QByteArrayView key;
    bool atKey = true;
    ForEachPart(line, '\\', [&](QByteArrayView part) {
        if (atKey)
            key = part;
        else if (!key.isEmpty() && !part.isEmpty())
            reply.info.append({key.toByteArray(), part.toByteArray()});
        atKey = !atKey;
        return reply.info.size() < MostPairs;
    });
}

} // namespace

QByteArray StatusReply::Value(QByteArrayView key) const {
    for (const auto& [k, v] : info)
        if (k == key)
            return v;
    return {};
}

std::optional<StatusReply> ParseStatusReply(QByteArrayView datagram) {
    if (!datagram.startsWith(Prefix))
        return std::nullopt;
    // The engines write C strings: FTE ends its answer with a zero byte, and nothing after one is
    // meant.
    QByteArrayView rest = datagram.sliced(Prefix.size());
    if (const qsizetype zero = rest.indexOf('\0'); zero >= 0)
        rest = rest.first(zero);
    StatusReply reply;
    reply.withPlayers = rest.startsWith(StatusHeader);
    const QByteArrayView header = reply.withPlayers ? StatusHeader : InfoHeader;
    if (!rest.startsWith(header))
        return std::nullopt;
    rest = rest.sliced(header.size());
    // DarkPlaces and FTE end the header with a line feed; QuakeSpasm-Spiked's status has none.
    if (rest.startsWith('\n'))
        rest = rest.sliced(1);
    else if (!rest.isEmpty() && !rest.startsWith('\\'))
        return std::nullopt;
    const qsizetype lineEnd = rest.indexOf('\n');
    ReadPairs(lineEnd < 0 ? rest : rest.first(lineEnd), reply);
    if (!reply.withPlayers || lineEnd < 0)
        return reply;
    int lines = 0;
    ForEachPart(rest.sliced(lineEnd + 1), '\n', [&](QByteArrayView line) {
        if (line.trimmed().isEmpty())
            return true;
        if (std::optional<ServerPlayer> player = ReadPlayer(line))
            reply.players.append(std::move(*player));
        return ++lines < MostPlayerLines;
    });
    // The list is kept as long as its server's row: without the room it grew into.
    reply.players.squeeze();
    return reply;
}

QByteArray StatusRequest() {
    return QByteArray("\xFF\xFF\xFF\xFFgetstatus");
}
