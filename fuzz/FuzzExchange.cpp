// A whole hostile exchange through the query engine, wired as the main window wires it with name
// trickery on: a query started, then datagrams in any order and number, timer ticks and presses
// of the Query button in between. The counters and the lists are checked after every step, and
// the console scripts before each query start rewrites them and at the end.
//
// Input: a flags byte (see QueryWorld), the length of the own name and its bytes (Latin-1), then
// steps, each led by one byte:
//   0 to 252   a datagram of that many bytes (fewer when the input ends first);
//   253        a datagram of 253 to 256 bytes, the count in the low two bits of the next byte;
//   254        one second of the query timer;
//   255        the Query button (stop when a query runs, else start).

#include "FuzzInput.h"
#include "MainView.h"
#include "Paths.h"
#include "QueryEngine.h"
#include "ReplySink.h"
#include "ScriptLines.h"
#include "TimerIds.h"

#include <QCoreApplication>
#include <QDir>
#include <QNetworkProxy>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <set>
#include <vector>

namespace {

enum Lead : std::uint8_t { LongDatagram = 253, TimerTick, QueryButton };
// Each query start rewrites seventeen files; beyond a few starts an input finds nothing new, so
// later presses and ticks are ignored to keep the runs fast.
constexpr int MostQueries = 6;

// Every query start deletes and re-creates the scripts: fuzz/run.sh keeps them in memory.
QTemporaryDir& GameDir() {
    static QTemporaryDir dir;
    return dir;
}

// The console ends a command at a line feed, and at a semicolon outside double quotes; each
// double quote toggles quoting; a zero byte ends the whole file. So a quoted argument holds no
// double quote, and every line must end the command only where its pattern says: the main
// script's own-name alias, run, is one `name` command; the scroll alias calls only the name
// aliases, wait3 and myname; a name script is `name "..."` alone.
const QRegularExpression mainLine(QRegularExpression::anchoredPattern(
    R"(alias myname "name [^";]*";myname)"
    R"(|alias scrollnames "(nm[0-9]+|wait3|myname)?(;(nm[0-9]+|wait3|myname)?)*")"
    R"(|echo "[^"]*"|alias (showplayers|nm[0-9]+|wait2|wait3) "[^"]*"|clear)"));
const QRegularExpression nameLine(QRegularExpression::anchoredPattern(R"(name "[^"]*")"));

// The lines of a script in the data folder, each checked against the pattern.
int LinesAsMeant(std::string_view fileName, const QRegularExpression& meant) {
    static const QString dataFolder = DataFolder(GameDir().path());
    QFile file(JoinPath(dataFolder, QLatin1String(fileName.data(), qsizetype(fileName.size()))));
    // Unbuffered: a read buffer per file would cost more than the few bytes each script holds.
    const QByteArray script =
        file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ? file.readAll() : QByteArray();
    const QList<QByteArray> lines = script.split('\n');
    Require(!script.contains('\0') && lines.last().isEmpty(),
            "a zero byte in a script, or a script that ends inside a line", script.toStdString());
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        Require(meant.match(QString::fromLatin1(lines[i])).hasMatch(),
                "a line that the game does not split as meant", lines[i].toStdString());
    return int(lines.size()) - 1;
}

// Delivers what the event loop would: the answers of host lookups and deferred deletions, so that
// nothing piles up from one input to the next.
void DeliverPostedEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The world is its own window without widgets: it keeps what the lists would show and which
// timers run, and answers the time-out question as it is told. No host is named, so its lookup
// fails at once and no request leaves.
class QueryWorld final : public MainView {
public:
    // Bits 0 to 2: asciiserver, asciinames, asciirules; bit 3: the auto-update cycle runs;
    // bit 4: the time-out question is answered with Retry; bits 5 to 7: the time-out in seconds
    // less one.
    QueryWorld(std::uint8_t flags, std::string_view quakename)
        : engine(*this), retry((flags >> 4) & 1) {
        Settings& s = engine.settings = DefaultSettings();
        s.asciiserver = flags & 1;
        s.asciinames = (flags >> 1) & 1;
        s.asciirules = (flags >> 2) & 1;
        s.nametrickery = 1;
        s.quakepath = GameDir().path();
        s.quakename = QString::fromLatin1(quakename.data(), qsizetype(quakename.size()));
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

    void RequireInvariants() const {
        const QueryState& s = engine.state;
        Require(s.serverInfoReceived == 0 || s.serverInfoReceived == 1, "server info flag");
        // A later server-info reply may report fewer players than were already counted.
        Require(s.playerReplies >= 0 && s.playerReplies <= highestCount,
                "more players counted than any reply reported");
        Require(std::size_t(s.playerReplies) == s.countedPlayers.count() &&
                    playerItems.size() == std::size_t(s.playerReplies),
                "the counted players, their numbers and the player list disagree");
        const std::set<int> listed(playerItems.begin(), playerItems.end());
        Require(listed.size() == playerItems.size(), "a player listed twice");
        for (const int number : listed)
            Require(number >= 0 && number < 256 && s.countedPlayers.test(number),
                    "a listed player that was not counted");
        Require(s.ruleCount == rules && s.ruleCount <= ruleReplies,
                "the rules listed, counted and received disagree");
        Require(progress >= 0 && progress <= 100, "progress out of its range");
    }
    // Every script splits as meant and each name script holds the line of its counted player,
    // and only that. Scripts that took no reply since the last check are skipped.
    void RequireScripts() {
        if (std::exchange(scriptsChecked, true))
            return;
        LinesAsMeant(MainScriptName, mainLine);
        for (int i = 0; i < ScriptWriter::NameScriptCount; ++i)
            Require(LinesAsMeant(NameScriptName(i), nameLine) == engine.state.countedPlayers[i],
                    "a name script holds other lines than its player's");
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
    void QueryEnded(bool) override {}

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

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Never destroyed: at exit Qt's own globals may already be gone.
    new QCoreApplication(*argc, *argv);
    // Every query binds a fresh socket, and asking the system for a proxy each time would cost a
    // thread hop per input.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    Require(GameDir().isValid() && QDir(GameDir().path()).mkdir(QStringLiteral("ID1")),
            "no game folder");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InputBytes input(data, size);
    const std::uint8_t flags = input.Byte();
    QueryWorld world(flags, input.Bytes(input.Byte()));
    world.PressQueryButton();
    while (!input.Empty()) {
        const std::uint8_t lead = input.Byte();
        const bool mayStart = world.QueriesStarted() < MostQueries;
        if (lead < TimerTick) {
            world.Receive(input.Bytes(lead == LongDatagram ? lead + (input.Byte() & 3) : lead));
        } else if (lead == QueryButton) {
            // The scripts of the query that ends here are checked before the next one rewrites
            // them.
            world.RequireScripts();
            if (mayStart)
                world.PressQueryButton();
        } else if (mayStart) {
            world.Tick();
        }
        world.RequireInvariants();
    }
    world.SelectListedPlayers();
    world.RequireScripts();
    return 0;
}
