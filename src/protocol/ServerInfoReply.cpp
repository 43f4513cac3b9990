#include "ServerInfoReply.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

// Current players, maximum players and the protocol version end the reply.
constexpr qsizetype CountBytes = 3;

// Reads the text at offset up to its zero into out and returns the offset past the zero, or -1
// when the datagram ends before it.
qsizetype ReadText(QByteArrayView datagram, qsizetype offset, FixedText<64>& out) {
    const qsizetype zero = datagram.indexOf('\0', offset);
    if (zero < 0)
        return -1;
    out.Assign(std::string_view(datagram.data() + offset, size_t(zero - offset)));
    return zero + 1;
}

// The control header, with the reply code given and the datagram's own length.
bool IsControlReply(QByteArrayView datagram, std::uint8_t code) {
    const auto byte = [datagram](qsizetype i) {
        return std::uint8_t(datagram[i]);
    };
    return datagram.size() > Wire::CodeOffset && byte(0) == Wire::NetflagCtlTopByte &&
           byte(Wire::CodeOffset) == code && (byte(2) << 8 | byte(3)) == datagram.size();
}

} // namespace

std::optional<ServerInfo> ParseServerInfoReply(QByteArrayView datagram) {
    const auto byte = [datagram](qsizetype i) {
        return std::uint8_t(datagram[i]);
    };
    if (!IsControlReply(datagram, Wire::CCREP_SERVER_INFO))
        return std::nullopt;
    ServerInfo info;
    qsizetype offset = Wire::CodeOffset + 1;
    for (FixedText<64>* text : {&info.address, &info.name, &info.map}) {
        offset = ReadText(datagram, offset, *text);
        if (offset < 0)
            return std::nullopt;
    }
    if (datagram.size() - offset != CountBytes)
        return std::nullopt;
    info.currentPlayers = byte(offset);
    info.maxPlayers = byte(offset + 1);
    return info;
}

std::optional<PlayerInfo> ParsePlayerInfoReply(QByteArrayView datagram) {
    if (!IsControlReply(datagram, Wire::CCREP_PLAYER_INFO) || datagram.size() > PacketBuffer::Size)
        return std::nullopt;
    PacketBuffer buffer;
    std::memcpy(buffer.ReceiveArea(), datagram.data(), size_t(datagram.size()));
    buffer.SetReceivedLength(datagram.size());
    return buffer.ParsePlayerInfo();
}
