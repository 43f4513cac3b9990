#pragma once

#include "FixedText.h"
#include "WireFormat.h"

#include <array>
#include <cstdint>
#include <string_view>

struct ServerInfo {
    FixedText<64> address;
    FixedText<64> name;
    FixedText<64> map;
    std::uint8_t currentPlayers = 0;
    std::uint8_t maxPlayers = 0;
};

struct PlayerInfo {
    std::uint8_t number = 0;
    FixedText<52> name;
    std::uint8_t shirt = 0;
    std::uint8_t pants = 0;
    std::int32_t frags = 0;
    std::int32_t connectTime = 0;
    FixedText<52> address;
};

// Holds the longest rule name a datagram can carry, so the next rule request can always repeat it.
using RuleName = FixedText<251>;
using RuleValue = FixedText<256>;

// The one buffer in which every request is built and every reply is received. Reads never go
// past the received length: a byte beyond it reads as zero, a text without its ending zero ends
// there, and a text longer than its field is cut to what the field holds.
class PacketBuffer {
public:
    static constexpr int Size = 256;

    // Zeroes the first 64 bytes only; the tail may still hold an earlier, longer message.
    void ClearPacketBuffer();

    // Each builder writes its request from offset 0 and returns the number of bytes to send.
    int BuildServerInfoRequest();
    // A burst of player requests clears the buffer once and then rewrites the same six bytes.
    void BeginPlayerInfoRequests();
    int BuildPlayerInfoRequest(std::uint8_t number);
    // An empty previous name asks for the first rule.
    int BuildRuleInfoRequest(std::string_view previousName);

    // The receive goes straight into the buffer; a datagram is held as its first Size bytes
    // and a failed receive (negative count) as nothing.
    char* ReceiveArea() { return reinterpret_cast<char*>(bytes.data()); }
    void SetReceivedLength(long long n);
    int ReceivedLength() const { return receivedLength; }
    std::uint8_t ReplyCode() const { return bytes[Wire::CodeOffset]; }

    ServerInfo ParseServerInfo(int n) const;
    PlayerInfo ParsePlayerInfo() const;
    // The rule name goes into currentRuleName, from which the next rule request is built.
    RuleValue ParseRuleInfo(RuleName& currentRuleName) const;

    const std::uint8_t* Data() const { return bytes.data(); }

private:
    void WriteHeader(int length, std::uint8_t code);
    std::uint8_t ByteAt(int offset, int end) const;
    std::int32_t Int32At(int offset, int end) const;
    // Copies the text at offset into out, stopping at its zero or at end; returns the offset just
    // past the text's zero (end when it has none).
    template <std::size_t N> int ReadText(int offset, int end, FixedText<N>& out) const;

    std::array<std::uint8_t, Size> bytes{};
    int receivedLength = 0;
};
