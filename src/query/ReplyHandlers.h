#pragma once

#include "PlayerSlot.h"
#include "ReplySink.h"

#include <optional>

struct MainFields;
struct QueryState;
struct Settings;
class MainView;
class PacketBuffer;
class PlayerNameList;
class QueryCycle;
class ScriptWriter;

// Turns each reply into what the window shows and the scripts hold, and asks for what follows
// from it: the players after the server info, the next rule after each rule.
class ReplyHandlers final : public ReplySink {
public:
    struct Parts {
        QueryState& state;
        MainFields& fields;
        const Settings& settings;
        const PacketBuffer& buffer;
        ScriptWriter& scripts;
        PlayerNameList& names;
        MainView& view;
    };
    explicit ReplyHandlers(const Parts& parts);

    // The cycle owns the socket through which the follow-up requests go out.
    void SetCycle(QueryCycle& queryCycle) { cycle = &queryCycle; }

    void OnServerInfoReply(int n) override;
    void OnPlayerInfoReply() override;
    void OnRuleInfoReply() override;

    // The player list's selection moved to the given player, or away from every player.
    void OnPlayerItemChanging(std::optional<int> selectedPlayer);
    void OnInfoTabChanging(int leavingTab);
    void ShowPlayerDetails(int index);

    const PlayerSlots& Players() const { return players; }

private:
    Parts p;
    QueryCycle* cycle = nullptr;
    PlayerSlots players;
};
