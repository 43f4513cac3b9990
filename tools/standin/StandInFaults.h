#pragma once

#include "ControlMessages.h"
#include "HostileStatus.h"
#include "StandInConfig.h"

#include <QByteArray>
#include <QList>
#include <QSet>

// Ways the stand-in misbehaves on purpose. All off by default; tests may change them any time.
struct StandInFaults {
    bool dropServerInfo = false;
    QSet<int> droppedPlayers;
    // Indices into the rules; the index one past the last rule drops the end reply.
    QSet<int> droppedRules;
    bool duplicate = false;
    int delayMs = 0;
    // Player replies produced from one read of the socket go out in reverse order.
    bool reversePlayerBurst = false;
    bool answerFromOtherSocket = false;
    // Cut every reply to this many bytes; negative leaves them whole.
    int truncateTo = -1;
    // Drop the zero byte that ends the last text of every reply.
    bool unterminated = false;
    // Lengthen the last text of every reply so the datagram is OversizedLength bytes.
    bool oversized = false;
    bool garbageFirst = false;
    // Every rule request gets the first rule.
    bool endlessRules = false;
    // The first rule follows the last one.
    bool loopingRules = false;
    // Status and info requests get these answers in turn instead of the server's own.
    QList<StandIn::HostileStatus> hostileStatus;
};

namespace StandIn {

inline constexpr int OversizedLength = 320;

// Byte 4 holds no reply code, so a client ignores it.
QByteArray GarbageDatagram();

// Index of the rule that answers a request naming previousName; rules.size() for the end reply.
int RuleIndexFor(const QList<StandInRule>& rules, const QByteArray& previousName,
                 const StandInFaults& faults);

// The bytes of a reply after the faults that change them.
QByteArray Deform(Reply reply, const StandInFaults& faults);

} // namespace StandIn
