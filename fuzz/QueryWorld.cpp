#include "QueryWorld.h"

#include "FuzzProcess.h"
#include "ReplySink.h"
#include "ScriptLines.h"
#include "ScriptSplit.h"
#include "TimerIds.h"

#include <algorithm>
#include <set>
#include <utility>

namespace {

Settings WorldSettings(std::uint8_t flags) {
    Settings settings = DefaultSettings();
    settings.asciiserver = flags & 1;
    settings.asciinames = (flags >> 1) & 1;
    settings.asciirules = (flags >> 2) & 1;
    settings.nametrickery = 1;
    settings.quakepath = GameFolderPath();
    settings.timeout = ((flags >> 5) & 7) + 1;
    return settings;
}

QString ScriptFileName(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace

QueryWorld::QueryWorld(std::uint8_t flags) : engine(view) {
    engine.settings = WorldSettings(flags);
    engine.state.autoUpdating = (flags >> 3) & 1;
    view.retry = ((flags >> 4) & 1) != 0;
    engine.fields.serverHost.clear();
    engine.cycle.OpenFirstSocket();
    engine.scripts.OpenScriptFiles();
}

void QueryWorld::AfterCycleStep() {
    DeliverPostedEvents();
    if (view.listClears != queriesSeen) {
        queriesSeen = view.listClears;
        highestCount = 0;
        ruleReplies = 0;
    }
}

void QueryWorld::PressQueryButton() {
    engine.cycle.OnQueryButton();
    AfterCycleStep();
}

void QueryWorld::Tick() {
    if (!view.TimerArmed(QueryTimer))
        return;
    engine.cycle.QueryTick();
    AfterCycleStep();
}

void QueryWorld::Receive(std::string_view datagram) {
    if (!engine.cycle.Socket().IsOpen())
        return;
    engine.buffer.ClearPacketBuffer();
    const std::size_t n = std::min<std::size_t>(datagram.size(), PacketBuffer::Size);
    std::copy_n(datagram.data(), n, engine.buffer.ReceiveArea());
    engine.buffer.SetReceivedLength(static_cast<long long>(datagram.size()));
    const std::uint8_t code = engine.buffer.ReplyCode();
    DispatchReply(engine.buffer, engine.handlers);
    scriptsChecked = false;

    if (code == Wire::CCREP_SERVER_INFO)
        highestCount = std::max(highestCount, engine.fields.currentPlayers);
    if (code == Wire::CCREP_RULE_INFO)
        ++ruleReplies;
    if (code == Wire::CCREP_PLAYER_INFO)
        Require(engine.names.Size() == engine.fields.currentPlayers,
                "the name list is not the player count");
}

void QueryWorld::SelectListedPlayers() {
    for (const int number : view.playerItems)
        engine.handlers.OnPlayerItemChanging(number);
    engine.handlers.OnPlayerItemChanging(std::nullopt);
}

void QueryWorld::RequireInvariants() const {
    Require(engine.fields.currentPlayers >= 0 && engine.fields.currentPlayers <= 255,
            "current players");
    Require(engine.fields.maxPlayers >= 0 && engine.fields.maxPlayers <= 255, "maximum players");
    Require(engine.state.serverInfoReceived == 0 || engine.state.serverInfoReceived == 1,
            "server info flag");
    // A later server-info reply may report fewer players than were already counted.
    Require(engine.state.playerReplies >= 0 && engine.state.playerReplies <= highestCount,
            "more players counted than any reply reported");
    Require(static_cast<std::size_t>(engine.state.playerReplies) ==
                engine.state.countedPlayers.count(),
            "counted players and their numbers disagree");
    Require(view.playerItems.size() == static_cast<std::size_t>(engine.state.playerReplies),
            "the player list does not hold the counted players");
    const std::set<int> listed(view.playerItems.begin(), view.playerItems.end());
    Require(listed.size() == view.playerItems.size(), "a player listed twice");
    for (const int number : listed)
        Require(number >= 0 && number < 256 && engine.state.countedPlayers.test(number),
                "a listed player that was not counted");
    Require(engine.state.ruleCount == view.rules, "the rule list does not hold the rules counted");
    Require(engine.state.ruleCount >= 0 && engine.state.ruleCount <= ruleReplies,
            "more rules counted than rule replies came");
    Require(view.progress >= 0 && view.progress <= 100, "progress out of its range");
}

void QueryWorld::RequireScripts() {
    if (std::exchange(scriptsChecked, true))
        return;
    RequireSplitsAsMeant(ReadScript(ScriptFileName(MainScriptName)), ScriptKind::Main);
    for (int i = 0; i < ScriptWriter::NameScriptCount; ++i) {
        const int lines =
            RequireSplitsAsMeant(ReadScript(ScriptFileName(NameScriptName(i))), ScriptKind::Name);
        Require(lines == (engine.state.countedPlayers.test(i) ? 1 : 0),
                "a name script does not hold its counted player alone");
    }
}
