#pragma once

#include "PacketBuffer.h"
#include "ReplySink.h"

#include <QMap>
#include <functional>

struct QueryState;

// Stands between the socket and the reply handlers. Each reply goes on to the handlers as the
// window's would; around that it keeps the whole record of every counted player (the handlers
// keep sixteen, with names cut for the list), notes the end of the rules, and says after each
// reply that one came in. Once closed it lets nothing more through, so a late or repeated reply
// cannot change a result that is being printed.
class ReplyRecorder final : public ReplySink {
public:
    struct Parts {
        ReplySink& handlers;
        const PacketBuffer& buffer;
        const QueryState& state;
    };
    ReplyRecorder(const Parts& parts, std::function<void()> afterEachReply);

    // Forgets the last query and lets replies through again.
    void Open();
    void Close() { open = false; }

    // By player number, only those the handlers counted in this query.
    const QMap<int, PlayerInfo>& Players() const { return players; }
    // The reply that ends the rule chain has been handled.
    bool RulesEnded() const { return rulesEnded; }

    void OnServerInfoReply(int n) override;
    void OnPlayerInfoReply() override;
    void OnRuleInfoReply() override;

private:
    Parts p;
    std::function<void()> afterEachReply;
    bool open = false;
    bool rulesEnded = false;
    QMap<int, PlayerInfo> players;
};
