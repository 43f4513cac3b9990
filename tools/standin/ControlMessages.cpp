#include "ControlMessages.h"

#include <QtEndian>

namespace StandIn {
namespace {

// Like the game's MSG_ReadString: up to the zero byte or the end of the datagram.
QByteArray ReadString(const QByteArray& datagram, qsizetype offset) {
    const qsizetype end = datagram.indexOf('\0', offset);
    return datagram.mid(offset, end < 0 ? -1 : end - offset);
}

void WriteString(QByteArray& bytes, const QByteArray& text) {
    bytes.append(text);
    bytes.append('\0');
}

void WriteLong(QByteArray& bytes, qint32 value) {
    char little[4];
    qToLittleEndian(value, little);
    bytes.append(little, sizeof little);
}

QByteArray Start(Code code) {
    QByteArray bytes(HeaderLength, '\0');
    bytes.append(char(code));
    return bytes;
}

Reply Finish(QByteArray bytes, qsizetype lastTextEnd) {
    SetHeader(bytes);
    return {bytes, lastTextEnd};
}

} // namespace

std::optional<Request> ParseRequest(const QByteArray& datagram) {
    if (datagram.size() <= HeaderLength)
        return std::nullopt;
    const quint32 control = qFromBigEndian<quint32>(datagram.constData());
    if ((control & ~NetflagLengthMask) != NetflagCtl ||
        (control & NetflagLengthMask) != quint32(datagram.size()))
        return std::nullopt;
    Request request;
    request.code = Code(quint8(datagram[HeaderLength]));
    const qsizetype body = HeaderLength + 1;
    switch (request.code) {
    case CcreqServerInfo:
        if (ReadString(datagram, body) != "QUAKE")
            return std::nullopt;
        return request;
    case CcreqPlayerInfo:
        if (datagram.size() <= body)
            return std::nullopt;
        request.playerNumber = quint8(datagram[body]);
        return request;
    case CcreqRuleInfo:
        request.previousRuleName = ReadString(datagram, body);
        return request;
    default:
        return std::nullopt;
    }
}

Reply ServerInfoReply(const QByteArray& serverAddress, const StandInConfig& config) {
    QByteArray bytes = Start(CcrepServerInfo);
    WriteString(bytes, serverAddress);
    WriteString(bytes, config.serverName);
    WriteString(bytes, config.mapName);
    const qsizetype mapEnd = bytes.size() - 1;
    bytes.append(char(config.players.size()));
    bytes.append(char(config.maxPlayers));
    bytes.append(char(config.protocolVersion));
    return Finish(bytes, mapEnd);
}

Reply PlayerInfoReply(int playerNumber, const StandInPlayer& player) {
    QByteArray bytes = Start(CcrepPlayerInfo);
    bytes.append(char(playerNumber));
    WriteString(bytes, player.name);
    WriteLong(bytes, (player.shirt & 0x0f) << 4 | (player.pants & 0x0f));
    WriteLong(bytes, player.frags);
    WriteLong(bytes, player.connectTime);
    WriteString(bytes, player.address);
    return Finish(bytes, bytes.size() - 1);
}

Reply RuleInfoReply(const StandInRule& rule) {
    QByteArray bytes = Start(CcrepRuleInfo);
    WriteString(bytes, rule.name);
    WriteString(bytes, rule.value);
    return Finish(bytes, bytes.size() - 1);
}

Reply RuleEndReply() {
    return Finish(Start(CcrepRuleInfo), -1);
}

void SetHeader(QByteArray& bytes) {
    qToBigEndian(NetflagCtl | (quint32(bytes.size()) & NetflagLengthMask), bytes.data());
}

} // namespace StandIn
