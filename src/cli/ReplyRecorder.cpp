#include "ReplyRecorder.h"

#include "QueryState.h"

ReplyRecorder::ReplyRecorder(const Parts& parts, std::function<void()> afterEachReply)
    : p(parts), afterEachReply(std::move(afterEachReply)) {}

void ReplyRecorder::Open() {
    open = true;
    rulesEnded = false;
    players.clear();
}

void ReplyRecorder::OnServerInfoReply(int n) {
    if (!open)
        return;
    p.handlers.OnServerInfoReply(n);
    afterEachReply();
}

void ReplyRecorder::OnPlayerInfoReply() {
    if (!open)
        return;
    // Read before the handlers run; they decide whether the reply counts.
    const PlayerInfo info = p.buffer.ParsePlayerInfo();
    const bool countedBefore = p.state.countedPlayers.test(info.number);
    p.handlers.OnPlayerInfoReply();
    if (!countedBefore && p.state.countedPlayers.test(info.number))
        players.insert(info.number, info);
    afterEachReply();
}

void ReplyRecorder::OnRuleInfoReply() {
    if (!open)
        return;
    p.handlers.OnRuleInfoReply();
    // A reply naming a rule leaves its name behind, a repeated one the name before; only the
    // reply that ends the chain leaves nothing.
    if (p.state.lastRuleName.Empty())
        rulesEnded = true;
    afterEachReply();
}
