#include "ReplyHandlers.h"

#include "DisplayName.h"
#include "MainFields.h"
#include "MainView.h"
#include "PlayerDetails.h"
#include "PlayerNameList.h"
#include "Progress.h"
#include "QuakeToAscii.h"
#include "QueryCycle.h"
#include "QueryState.h"
#include "ScriptWriter.h"
#include "Settings.h"
#include "ShownText.h"

ReplyHandlers::ReplyHandlers(const Parts& parts) : p(parts) {}

void ReplyHandlers::OnServerInfoReply(int n) {
    p.state.serverInfoReceived = 1;
    ServerInfo info = p.buffer.ParseServerInfo(n);
    if (p.settings.asciiserver == 1) {
        QuakeToAscii(info.address.Data());
        QuakeToAscii(info.name.Data());
        QuakeToAscii(info.map.Data());
    }
    p.fields.serverAddress = ShownText(info.address);
    p.fields.serverName = ShownText(info.name);
    p.fields.mapName = ShownText(info.map);
    p.fields.currentPlayers = info.currentPlayers;
    p.fields.maxPlayers = info.maxPlayers;

    QuerySocket& socket = cycle->Socket();
    p.view.SetProgress(ProgressServerInfo);
    socket.SendPlayerInfoRequests(p.fields.currentPlayers);
    StepProgress(p.view, ProgressPlayerRequests);
    if (p.state.autoUpdating == 0 && !p.state.skipRules)
        socket.SendRuleInfoRequest({});
    StepProgress(p.view, ProgressRuleRequest);
    p.scripts.WriteScrollNames(p.fields.currentPlayers);
    if (socket.PingMeasured())
        p.fields.ping = {static_cast<int>(socket.Elapsed().Milliseconds())};
    p.view.ShowFields();
}

void ReplyHandlers::OnPlayerInfoReply() {
    QueryState& s = p.state;
    const int expected = p.fields.currentPlayers;
    p.names.Resize(expected);
    const PlayerInfo info = p.buffer.ParsePlayerInfo();
    const int n = info.number;
    const DisplayName displayName = MakeDisplayName(info.name.View());
    if (n < PlayerSlotCount) {
        players[n] = {info.number, info.frags, info.connectTime, info.address,
                      info.pants,  info.shirt, info.name};
    }
    // Only the numbers asked for are counted, each once, so a duplicated or unrequested reply
    // can neither complete the count early nor push a player out of the list.
    const bool counted = s.playerReplies < expected && n < expected && !s.countedPlayers.test(n);
    if (counted) {
        s.countedPlayers.set(n);
        p.names.Set(n, displayName.View());
        p.scripts.WriteNameScript(n, displayName.View());
        p.view.InsertPlayerItem(n, ShownPlayerName(info.name.View(), p.settings.asciinames),
                                info.shirt, info.pants);
        ++s.playerReplies;
    }
    if (s.playerReplies == expected) {
        // The list goes into the main script once, when the count completes; a surplus reply
        // would only print the same list again in the game's console.
        if (counted)
            p.scripts.WritePlayerList(expected, p.names);
        StepProgress(p.view, ProgressPlayersComplete);
    }
}

void ReplyHandlers::OnRuleInfoReply() {
    QueryState& s = p.state;
    // Rules beyond the bound are neither listed nor asked after, whatever the server sends.
    if (s.ruleCount >= MaxRules)
        return;
    RuleValue value = p.buffer.ParseRuleInfo(s.currentRuleName);
    if (p.settings.asciirules == 1) {
        QuakeToAscii(s.currentRuleName.Data());
        QuakeToAscii(value.Data());
    }
    // A repeat of the rule just listed is a duplicated datagram or a server answering every
    // request with the same rule; asking again would list it again and again.
    if (!s.currentRuleName.Empty() && s.currentRuleName.View() == s.lastRuleName.View())
        return;
    s.lastRuleName = s.currentRuleName;
    if (s.currentRuleName.Empty()) {
        StepProgress(p.view, ProgressEndOfRules);
        return;
    }
    p.view.AppendRule(ShownText(s.currentRuleName), ShownText(value));
    ++s.ruleCount;
    StepProgress(p.view, ProgressPerRule);
    if (s.ruleCount < MaxRules) {
        cycle->Socket().SendRuleInfoRequest(s.currentRuleName.View());
        return;
    }
    // The bound ends the chain as the server's end reply would, so the query can complete.
    s.lastRuleName.Clear();
    StepProgress(p.view, ProgressEndOfRules);
}

void ReplyHandlers::ShowPlayerDetails(int index) {
    if (index >= 0 && index < PlayerSlotCount)
        p.view.AppendDetailRows(PlayerDetailRows(players[index], p.settings.asciinames));
}

void ReplyHandlers::OnPlayerItemChanging(std::optional<int> selectedPlayer) {
    p.view.ClearDetails();
    if (selectedPlayer) {
        ShowPlayerDetails(*selectedPlayer);
        p.view.SelectInfoTab(1);
    } else {
        p.view.SelectInfoTab(0);
    }
}

void ReplyHandlers::OnInfoTabChanging(int leavingTab) {
    if (leavingTab == 0)
        p.view.ShowInfoList(1);
    else if (leavingTab == 1)
        p.view.ShowInfoList(0);
}
