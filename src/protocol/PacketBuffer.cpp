#include "PacketBuffer.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int ClearedBytes = 64;
constexpr char QuakeTag[] = "QUAKE";
} // namespace

void PacketBuffer::ClearPacketBuffer() {
    std::fill_n(bytes.begin(), ClearedBytes, std::uint8_t{0});
}

void PacketBuffer::WriteHeader(int length, std::uint8_t code) {
    bytes[0] = Wire::NetflagCtlTopByte;
    bytes[1] = 0;
    bytes[2] = 0;
    bytes[3] = static_cast<std::uint8_t>(length & 0xFF);
    bytes[4] = code;
}

int PacketBuffer::BuildServerInfoRequest() {
    ClearPacketBuffer();
    WriteHeader(Wire::ServerInfoRequestLength, Wire::CCREQ_SERVER_INFO);
    std::memcpy(bytes.data() + 5, QuakeTag, sizeof QuakeTag);
    bytes[11] = Wire::ProtocolVersion;
    return Wire::ServerInfoRequestLength;
}

void PacketBuffer::BeginPlayerInfoRequests() {
    ClearPacketBuffer();
}

int PacketBuffer::BuildPlayerInfoRequest(std::uint8_t number) {
    WriteHeader(Wire::PlayerInfoRequestLength, Wire::CCREQ_PLAYER_INFO);
    bytes[5] = number;
    return Wire::PlayerInfoRequestLength;
}

int PacketBuffer::BuildRuleInfoRequest(std::string_view previousName) {
    constexpr std::size_t longestName = Size - Wire::RuleInfoRequestBaseLength;
    const std::size_t k = std::min(previousName.size(), longestName);
    const int length = Wire::RuleInfoRequestBaseLength + static_cast<int>(k);
    ClearPacketBuffer();
    WriteHeader(length, Wire::CCREQ_RULE_INFO);
    std::copy_n(previousName.begin(), k, bytes.begin() + 5);
    bytes[length - 1] = 0;
    return length;
}

void PacketBuffer::SetReceivedLength(long long n) {
    receivedLength = static_cast<int>(std::clamp<long long>(n, 0, Size));
}

std::uint8_t PacketBuffer::ByteAt(int offset, int end) const {
    return offset >= 0 && offset < end ? bytes[offset] : 0;
}

std::int32_t PacketBuffer::Int32At(int offset, int end) const {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | ByteAt(offset + i, end);
    return static_cast<std::int32_t>(value);
}

template <std::size_t N> int PacketBuffer::ReadText(int offset, int end, FixedText<N>& out) const {
    int stop = std::max(offset, 0);
    while (stop < end && bytes[stop] != 0)
        ++stop;
    const int length = std::max(stop - offset, 0);
    out.Assign({reinterpret_cast<const char*>(bytes.data()) + std::min(offset, Size),
                static_cast<std::size_t>(length)});
    return stop < end ? stop + 1 : end;
}

ServerInfo PacketBuffer::ParseServerInfo(int n) const {
    const int end = std::clamp(n, 0, Size);
    ServerInfo info;
    int offset = ReadText(5, end, info.address);
    offset = ReadText(offset, end, info.name);
    // The counts sit in the last three bytes, found from the end rather than after the map; a
    // reply too short to hold them after its texts has none.
    const int countsAt = end - 3;
    ReadText(offset, std::max(countsAt, offset), info.map);
    if (countsAt >= offset) {
        info.currentPlayers = bytes[countsAt];
        info.maxPlayers = bytes[countsAt + 1];
    }
    return info;
}

PlayerInfo PacketBuffer::ParsePlayerInfo() const {
    const int end = receivedLength;
    PlayerInfo info;
    info.number = ByteAt(5, end);
    const int e = ReadText(6, end, info.name) - 1;
    const std::uint8_t colours = ByteAt(e + 1, end);
    info.shirt = colours >> 4;
    info.pants = colours & 0x0F;
    info.frags = Int32At(e + 5, end);
    info.connectTime = Int32At(e + 9, end);
    ReadText(e + 13, end, info.address);
    return info;
}

RuleValue PacketBuffer::ParseRuleInfo(RuleName& currentRuleName) const {
    const int end = receivedLength;
    const int valueAt = ReadText(5, end, currentRuleName);
    RuleValue value;
    ReadText(valueAt, end, value);
    return value;
}
