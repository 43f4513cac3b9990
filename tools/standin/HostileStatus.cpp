#include "HostileStatus.h"

#include "StatusMessages.h"

namespace StandIn {
namespace {

QByteArray Line(const QByteArray& name) {
    StandInPlayer player;
    player.name = name;
    player.frags = 3;
    player.pingMs = 40;
    return PlayerLine(player);
}

QByteArray HighBytes() {
    QByteArray bytes;
    for (int c = 0x80; c <= 0xff; c += 0x0b)
        bytes.append(char(c));
    return bytes;
}

} // namespace

QByteArray HostileStatusAnswer(HostileStatus kind, const StandInConfig& config) {
    QByteArray answer = StatusHeader(true);
    switch (kind) {
    case HostileStatus::Names:
        return answer + InfoPairs(config, {}) + Line("Say \"hi\"") + Line("back\\slash\\x\\") +
               Line(HighBytes()) + Line("line\nfeed");
    case HostileStatus::BrokenLines:
        return answer + InfoPairs(config, {}) + "\n\nnumbers \"none\"\n5 5 5_5\n5 5 5_5 \"open" +
               "\n99999999999999999999 1 0_0 \"Huge\"\n1 2 3_4 \"Good\"";
    case HostileStatus::ManyPlayers:
        answer += InfoPairs(config, {});
        for (int i = 0; i < HostilePlayerLines; ++i)
            answer += Line("p" + QByteArray::number(i));
        return answer;
    case HostileStatus::KeysWithoutValues:
        return answer + "\\mapname\\\\\\\\lonely" + InfoPairs(config, {}) + "\\clients" +
               Line("Good");
    case HostileStatus::Overlong:
        answer += InfoPairs(config, {}) + Line("Good");
        return answer + Line(QByteArray(OverlongLength - answer.size() - Line({}).size(), 'x'));
    }
    return answer;
}

} // namespace StandIn
