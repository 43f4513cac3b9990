#pragma once

#include "StandInConfig.h"

#include <QByteArray>
#include <optional>

// The NetQuake control messages as a server reads and writes them: a big-endian header word
// NETFLAG_CTL | total length, the code at byte 4, then the body.
namespace StandIn {

inline constexpr quint32 NetflagCtl = 0x80000000;
inline constexpr quint32 NetflagLengthMask = 0x0000ffff;
inline constexpr int HeaderLength = 4;

enum Code : quint8 {
    CcreqServerInfo = 0x02,
    CcreqPlayerInfo = 0x03,
    CcreqRuleInfo = 0x04,
    CcrepServerInfo = 0x83,
    CcrepPlayerInfo = 0x84,
    CcrepRuleInfo = 0x85,
};

struct Request {
    Code code = CcreqServerInfo;
    int playerNumber = 0;
    QByteArray previousRuleName;
};

// Accepts what a NetQuake server accepts; anything else gives nothing.
std::optional<Request> ParseRequest(const QByteArray& datagram);

// A reply with the position of the zero byte that ends its last text, -1 when it has no text.
struct Reply {
    QByteArray bytes;
    qsizetype lastTextEnd = -1;
};

Reply ServerInfoReply(const QByteArray& serverAddress, const StandInConfig& config);
Reply PlayerInfoReply(int playerNumber, const StandInPlayer& player);
Reply RuleInfoReply(const StandInRule& rule);
Reply RuleEndReply();

// Writes the header word for the reply's current length.
void SetHeader(QByteArray& bytes);

} // namespace StandIn
