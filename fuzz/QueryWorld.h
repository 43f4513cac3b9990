#pragma once

#include "FuzzProcess.h"
#include "MainView.h"
#include "QueryEngine.h"
#include "ReplySink.h"
#include "ScriptGrammar.h"
#include "TimerIds.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

// The query engine, the reply handlers and the scripts wired the way the main window wires them,
// with name trickery on and the scripts in the process's game folder. The world is its own
// window without widgets: it keeps what the lists would show and which timers run, and answers
// the time-out question as it is told. No host is named, so its lookup fails at once and no
// request leaves.
class QueryWorld final : public MainView {
public:
    // Bits 0 to 2: asciiserver, asciinames, asciirules; bit 3: the auto-update cycle runs;
    // bit 4: the time-out question is answered with Retry; bits 5 to 7: the time-out in seconds
    // less one.
    explicit QueryWorld(std::uint8_t flags) : engine(*this), retry((flags >> 4) & 1) {
        Settings& s = engine.settings = DefaultSettings();
        s.asciiserver = flags & 1;
        s.asciinames = (flags >> 1) & 1;
        s.asciirules = (flags >> 2) & 1;
        s.nametrickery = 1;
        s.quakepath = GameFolderPath();
        s.timeout = ((flags >> 5) & 7) + 1;
        engine.state.autoUpdating = (flags >> 3) & 1;
        engine.fields.serverHost.clear();
        engine.cycle.OpenFirstSocket();
        engine.scripts.OpenScriptFiles();
    }

    void PressQueryButton() {
        engine.cycle.OnQueryButton();
        DeliverPostedEvents();
    }
    // One second of the query timer, when it is armed.
    void Tick() {
        if (timers.count(QueryTimer) == 0)
            return;
        engine.cycle.QueryTick();
        DeliverPostedEvents();
    }
    // One datagram as the socket takes it in, when the socket is open.
    void Receive(std::string_view datagram) {
        if (!engine.cycle.Socket().IsOpen())
            return;
        engine.buffer.ClearPacketBuffer();
        std::copy_n(datagram.data(), std::min(datagram.size(), std::size_t(PacketBuffer::Size)),
                    engine.buffer.ReceiveArea());
        engine.buffer.SetReceivedLength(static_cast<long long>(datagram.size()));
        const std::uint8_t code = engine.buffer.ReplyCode();
        DispatchReply(engine.buffer, engine.handlers);
        scriptsChecked = false;
        if (code == Wire::CCREP_SERVER_INFO)
            highestCount = std::max(highestCount, engine.fields.currentPlayers);
        ruleReplies += code == Wire::CCREP_RULE_INFO ? 1 : 0;
        Require(code != Wire::CCREP_PLAYER_INFO ||
                    engine.names.Size() == engine.fields.currentPlayers,
                "the name list is not the player count");
    }

    int QueriesStarted() const { return queries; }

    // Selects each listed player in turn, as a click in the player list does, then none.
    void SelectListedPlayers() {
        for (const int number : playerItems)
            engine.handlers.OnPlayerItemChanging(number);
        engine.handlers.OnPlayerItemChanging(std::nullopt);
    }

    // Aborts on any broken invariant of the counters, the lists and the name list.
    void RequireInvariants() const {
        const QueryState& s = engine.state;
        Require(engine.fields.currentPlayers >= 0 && engine.fields.currentPlayers <= 255,
                "current players");
        Require(engine.fields.maxPlayers >= 0 && engine.fields.maxPlayers <= 255,
                "maximum players");
        Require(s.serverInfoReceived == 0 || s.serverInfoReceived == 1, "server info flag");
        // A later server-info reply may report fewer players than were already counted.
        Require(s.playerReplies >= 0 && s.playerReplies <= highestCount,
                "more players counted than any reply reported");
        Require(std::size_t(s.playerReplies) == s.countedPlayers.count(),
                "counted players and their numbers disagree");
        Require(playerItems.size() == std::size_t(s.playerReplies),
                "the player list does not hold the counted players");
        const std::set<int> listed(playerItems.begin(), playerItems.end());
        Require(listed.size() == playerItems.size(), "a player listed twice");
        for (const int number : listed)
            Require(number >= 0 && number < 256 && s.countedPlayers.test(number),
                    "a listed player that was not counted");
        Require(s.ruleCount == rules, "the rule list does not hold the rules counted");
        Require(s.ruleCount >= 0 && s.ruleCount <= ruleReplies,
                "more rules counted than rule replies came");
        Require(progress >= 0 && progress <= 100, "progress out of its range");
    }
    // Aborts unless every script splits as meant and each name script holds the line of its
    // counted player, and only that. Scripts that took no reply since the last check are skipped.
    void RequireScripts() {
        std::array<int, ScriptWriter::NameScriptCount> counted{};
        for (int i = 0; i < ScriptWriter::NameScriptCount; ++i)
            counted[i] = engine.state.countedPlayers.test(i) ? 1 : 0;
        if (!std::exchange(scriptsChecked, true))
            ::RequireScripts(-1, counted);
    }

private:
    bool ReadFields() override { return true; }
    void ShowFields() override {}
    void SetWindowCaption(const QString&) override {}
    void SetQueryButtonCaption(const QString&) override {}
    void SetQueryButtonEnabled(bool) override {}
    void SetUpdatesButtonCaption(const QString&) override {}
    void SetTimer(int id) override { timers.insert(id); }
    void KillTimer(int id) override { timers.erase(id); }
    int Progress() const override { return progress; }
    void SetProgress(int position) override { progress = position; }
    void InsertPlayerItem(int number, const QString&, int, int) override {
        playerItems.push_back(number);
    }
    void AppendRule(const QString&, const QString&) override { ++rules; }
    void AppendDetailRows(const DetailRows&) override {}
    void ClearDetails() override {}
    // Every query start empties the lists, and the counts of the replies start again.
    void ClearLists() override {
        playerItems.clear();
        rules = highestCount = ruleReplies = 0;
        ++queries;
    }
    void SelectInfoTab(int) override {}
    void ShowInfoList(int) override {}
    void ShowMessage(const QString&) override {}
    bool AskRetry(const QString&, const QString&) override { return retry; }

    QueryEngine engine;
    const bool retry;
    std::set<int> timers;
    std::vector<int> playerItems;
    int rules = 0;
    int progress = 0;
    int queries = 0;
    // Since the last query start: the highest player count a server-info reply gave, and the
    // rule replies taken in.
    int highestCount = 0;
    int ruleReplies = 0;
    bool scriptsChecked = false;
};
