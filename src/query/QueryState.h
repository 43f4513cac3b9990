#pragma once

#include "PacketBuffer.h"

#include <bitset>

// A server that never ends its rule chain, loops it, or sends rules unasked gets no more rows and
// no more requests after this many.
inline constexpr int MaxRules = 1024;

// What one query has received so far, and the two flags that say what runs. The reply handlers
// move the counters; the query tick reads them to decide whether the query is complete.
struct QueryState {
    int querying = 0;
    int autoUpdating = 0;
    // Set by a caller that wants no rules at all; the update cycle asks for none through
    // autoUpdating instead.
    bool skipRules = false;

    int queryTicks = 0;
    int serverInfoReceived = 0;
    int playerReplies = 0;
    int ruleCount = 0;
    RuleName lastRuleName;
    RuleName currentRuleName;
    // Player numbers already counted in this query, so a duplicated reply is never counted twice.
    std::bitset<256> countedPlayers;
};
