#include "CommandLine.h"
#include "ExitStatus.h"
#include "ExpectedScripts.h"
#include "HistoryStore.h"
#include "QueryTool.h"
#include "QueryWindow.h"
#include "RefreshTool.h"
#include "RunCommandLine.h"
#include "TestRegistry.h"
#include "TestWorld.h"
#include "WatchTool.h"
#include "master/MasterServerStandIn.h"
#include "standin/DemoConfig.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>
#include <memory>
#include <optional>

namespace {

// vantrel-query in this process, one server's query or the many-server mode as its arguments
// say, the many-server mode on a clock the test moves, its output caught.
class ToolRun {
public:
    ToolRun() {
        out.open(QIODevice::WriteOnly);
        errors.open(QIODevice::WriteOnly);
    }
    void Start(const QStringList& arguments) {
        const CommandLine line = ParseCommandLine(QStringList{"vantrel-query"} + arguments);
        if (line.action == CommandLine::Action::Refresh)
            Begin(refresh =
                      std::make_unique<RefreshTool>(line.refresh, out, errors, history, clock));
        else if (line.action == CommandLine::Action::Watch)
            Begin(watch = std::make_unique<WatchTool>(line.watch, out, errors, history, clock));
        else
            Begin(query = std::make_unique<QueryTool>(line.options, out, errors, history));
    }
    QString Text() const { return QString::fromUtf8(out.data()); }
    QJsonDocument Json() const { return QJsonDocument::fromJson(out.data()); }

    ManualClock clock;
    // Off: these runs keep no history.
    HistoryStore history;
    QBuffer out;
    QBuffer errors;
    std::optional<int> status;
    std::unique_ptr<QueryTool> query;
    std::unique_ptr<RefreshTool> refresh;
    std::unique_ptr<WatchTool> watch;

private:
    template <typename Tool> void Begin(const std::unique_ptr<Tool>& tool) {
        QObject::connect(tool.get(), &Tool::Finished, [this](int s) { status = s; });
        tool->Start();
    }
};

QString Address(const QuakeServerStandIn& server) {
    return QStringLiteral("127.0.0.1:%1").arg(server.Port());
}

// The bytes form of a text in the JSON output. A number that is no byte spoils the bytes.
QByteArray JsonBytes(const QJsonValue& text) {
    QByteArray bytes;
    for (const QJsonValue& b : text[QLatin1String("bytes")].toArray())
        bytes += b.toInt(-1) == quint8(b.toInt()) ? char(b.toInt()) : '?';
    return bytes;
}

// The options as one line. One server: server, game folder, own name, timeout, interval, and 0
// or 1 for --raw, --json, --no-rules and --no-players. Many: servers, masters, games, --raw,
// --json and the timeout.
QString Summary(const CommandLine& line) {
    const auto listed = [](const QList<HostPort>& list) {
        QStringList texts;
        for (const HostPort& h : list)
            texts << HostPortText(h);
        return texts.join(u' ');
    };
    const QueryOptions& o = line.options;
    const RefreshOptions& s = line.refresh;
    const bool many = line.action == CommandLine::Action::Refresh;
    QStringList fields = many
                             ? QStringList{listed(s.servers), listed(s.masters), s.games.join(u' ')}
                             : QStringList{HostPortText(o.target), o.gameFolder, o.quakename};
    for (const int n : many ? QList<int>{s.raw, s.json, s.timeout}
                            : QList<int>{o.timeout, o.every, o.raw, o.json, o.noRules, o.noPlayers})
        fields << QString::number(n);
    return fields.join(u'|');
}

// Player 1 and the end of the rules are lost.
const char* const incompleteText = R"(Server   Vantrel stand-in
Address  127.0.0.1:%1
Map      e1m1
Players  4/16
Ping     N ms

#  Name      Frags  Shirt    Pants    Connected  Address
0  Ranger       -2  0 white  4 red           60  127.0.0.1:27001
2  Shambler     12  10 tan   10 tan         254  127.0.0.1:27003
3  [Vore]       19  1 brown  13 blue        351  127.0.0.1:27004

Rule        Value
sv_gravity  800

incomplete: player 1, end of rules
)";

// A server that sends what no client should trust: quotes, bytes of the game's own character set,
// DEL, an escape sequence, a name longer than the window lists, a rule name of 60 characters.
StandInConfig HostileConfig() {
    StandInConfig c;
    c.serverName = "\x80\x81 \"Hostile\" \\ server \x7f\xff";
    c.mapName = "e1m1\x8d";
    c.players = {
        {"\"quoted\" name; of thirty bytes", 4, 13, -3, 12, "10.0.0.2:26000"},
        {"\xd3\xe8\xe1\xed\xe2\xec\xe5\xf2", 15, 14, 0, 1, "10.0.0.3:26000"},
        {"del\x7fname\x1b[31m", 2, 3, 100000, -5, "10.0.0.4:26000"},
    };
    c.rules = {{"sv_" + QByteArray(57, 'x'), "\"v\"\xe1\x7f"}, {"noexit", "\x1b\x10\x11"}};
    return c;
}

} // namespace

// vantrel-query: its arguments, one server's query, which ends as soon as the last reply is in
// and otherwise prints what arrived and names what did not when its time is up, and many servers
// at once, each asked for its server info only.
class TestQueryTool : public QObject {
    Q_OBJECT

private slots:
    void Arguments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("expected");
        const auto row = [](const QStringList& arguments, int status, const QString& expected) {
            QTest::addRow("%d %s", status, qPrintable(arguments.join(u' ').left(60)))
                << arguments << status << expected;
        };
        // Accepted: what the options then are.
        row({"quake.example.org"}, 0, "quake.example.org:26000||Vantrel v.70|20|0|0|0|0|0");
        row({"--json", "--raw", "--no-rules", "--no-players", "--timeout", "120", "--scripts", "/q",
             "--name", "Me", "--every", "6000", "[::1]:65535"},
            0, "[::1]:65535|/q|Me|120|6000|1|1|1|1");
        row({"127.0.0.1:1", "--timeout", "1", "--every", "1"}, 0,
            "127.0.0.1:1||Vantrel v.70|1|1|0|0|0|0");
        // Several servers, or any master: the server info of each.
        row({"[2001:db8::1]", "2001:db8::5:1", "b:5"}, 0,
            "[2001:db8::1]:26000 [2001:db8::5:1]:26000 b:5||FTE-Quake|0|0|20");
        row({"--master=127.0.0.1", "--master=[::1]:5", "--game", "DarkPlaces-Quake", "--json",
             "--raw", "--timeout", "3", "h"},
            0, "h:26000|127.0.0.1:27950 [::1]:5|DarkPlaces-Quake|1|1|3");
        // Refused with exit status 2: the reason.
        row({}, 2, "no server given");
        row({"a", "b", "--scripts", "/q"}, 2, "--scripts takes exactly one server");
        row({"--master", "--every", "60"}, 2, "--every takes exactly one server");
        row({"--game", "DarkPlaces-Quake", "h"}, 2, "--game needs --master");
        row({"--master=h:0"}, 2, "bad port");
        row({"--fast", "h"}, 2, "fast");
        for (const char* seconds : {"0", "121", "2s"})
            row({"--timeout", seconds, "h"}, 2, "bad --timeout");
        for (const char* seconds : {"0", "6001"})
            row({"--every", seconds, "h"}, 2, "bad --every");
        row({"--name", "Me", "h"}, 2, "--name needs --scripts");
        row({"--watch", "h"}, 2, "--watch needs --buddy or --min-players");
        row({"--watch", "--buddy", "", "h"}, 2, "--buddy needs a name");
        row({"--watch", "--min-players", "1", "--every", "29", "h"}, 2, "bad --every");
        row({"--scripts", "", "h"}, 2, "needs a game folder");
        row({"--days", "2", "h"}, 2, "--days needs --history");
        row({"--history", "h", "--days", "91"}, 2, "bad --days");
        row({"--history-export", "f.csv", "h"}, 2, "the history goes without other servers");
        for (const char* server :
             {"h:0", "h:65536", "h:", "h:+5", "h: 5", "h:5 ", "h:abc", "[::1]:"})
            row({server}, 2, "bad port");
        for (const char* server : {"", ":26000", "[]:26000"})
            row({server}, 2, "no host");
        for (const char* master : {"m.example.com:27950:1", "::1:27950", "a\tb", "a@b", "-m"})
            row({QStringLiteral("--master=") + master}, 2, "is no host");
        row({"--master", "--game", "FTE Quake"}, 2, "bad --game: \"FTE Quake\" is no game name");
        for (const char* server : {"[::1", "[::1]26000"})
            row({server}, 2, "[ADDRESS]:PORT");
        // As the window's Query button, before anything is sent.
        row({"--scripts", "/nonexistent/vantrel", "h"}, 2, "Quake Directory Doesn't Exist");
        // Exit status 3: nothing is sent when no host is found, and each one is named.
        row({UnresolvableHost() + ":26000"}, 3, "host not found: " + UnresolvableHost());
        row({"--json", "--master=" + UnresolvableHost(u'm'), UnresolvableHost(u's')}, 3,
            "host not found: ");
    }
    void Arguments() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, expected);
        if (status == ExitComplete) {
            QCOMPARE(Summary(ParseCommandLine(QStringList{"vantrel-query"} + arguments)), expected);
            return;
        }
        // The built program, as a shell starts it: the reason in one line, then the usage for a
        // refused argument.
        QProcess program;
        program.start(QStringLiteral(VANTREL_QUERY_PROGRAM), arguments);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitCode(), status);
        const QByteArray told = program.readAllStandardError();
        QVERIFY2(told.startsWith("vantrel-query: ") && told.endsWith('\n'), told);
        QVERIFY2(told.left(told.indexOf('\n')).contains(expected.toUtf8()), told);
        QCOMPARE(told.contains("\nUsage: "), status == ExitBadArguments);
        if (status == ExitHostNotFound)
            QCOMPARE(told.count("host not found: "), arguments.filter(".invalid").size());
        // Only a JSON reader gets a document, whose every host was not found.
        const QJsonObject doc = QJsonDocument::fromJson(program.readAllStandardOutput()).object();
        QCOMPARE(doc["servers"][0]["outcome"].toString() + doc["masters"][0]["outcome"].toString(),
                 arguments.contains("--json") ? "not foundfailed" : "");
    }

    void Incomplete() {
        QuakeServerStandIn server;
        QVERIFY(server.Start());
        server.Config().players = DemoPlayers(4);
        server.Config().rules = DemoRules(1);
        server.Faults().droppedPlayers = {1};
        server.Faults().droppedRules = {1};
        ToolRun f;
        f.Start({Address(server)});
        QCOMPARE(f.query->DeadlineMs(), 20000);
        // Every request has been made and every reply but the lost ones is in.
        QTRY_COMPARE(server.Requests().size(), 7);
        QTRY_COMPARE(f.query->State().playerReplies + f.query->State().ruleCount, 4);
        QVERIFY(!f.status);
        f.query->OnDeadline();
        QCOMPARE(f.status, std::optional<int>(ExitIncomplete));
        // The ping of a loopback query may come out as 0 or 1 ms.
        QCOMPARE(f.Text().replace(
                     QRegularExpression("^Ping     \\d+ ms$", QRegularExpression::MultilineOption),
                     "Ping     N ms"),
                 QString::fromLatin1(incompleteText).arg(server.Port()));
    }

    // The window and the tool, one after the other on the same hostile server, show the same
    // and write the same scripts; every byte survives into the JSON, one valid line.
    void SameAsTheWindow() {
        QueryWindow w;
        w.server.Config() = HostileConfig();
        w.Open();
        w.PressQuery();
        QTRY_VERIFY(w.AllRepliesIn());
        ToolRun f;
        MainWindowFixture game;
        f.Start({"--json", "--scripts", game.GamePath(), Address(w.server)});
        QTRY_COMPARE(f.status, std::optional<int>(ExitComplete));
        QCOMPARE(f.out.data().count('\n'), 1);
        const QJsonObject doc = f.Json().object();
        QVERIFY2(doc["complete"].toBool() && doc["missing"].toArray().isEmpty(), f.out.data());
        const StandInConfig& sent = w.server.Config();
        // Each text as converted beside what the window shows, and as its bytes came.
        const auto same = [](const QJsonValue& text, const QString& shown, const QByteArray& came) {
            QCOMPARE(text["text"].toString(), shown);
            QCOMPARE(JsonBytes(text), came);
        };
        const QJsonValue server = doc["server"];
        same(server["name"], w.Text("serverName"), sent.serverName);
        same(server["map"], w.Text("mapName"), sent.mapName);
        QCOMPARE(
            (QStringList{server["address"]["text"].toString(),
                         QString::number(server["players"].toInt()),
                         QString::number(server["maxPlayers"].toInt())}),
            (QStringList{w.Text("serverAddress"), w.Text("currentPlayers"), w.Text("maxPlayers")}));
        QCOMPARE(doc["rules"].toArray().size() * 10 + doc["players"].toArray().size(), 23);
        for (int i = 0; i < sent.rules.size(); ++i) {
            const QJsonValue rule = doc["rules"][i];
            same(rule["name"], w.RuleList().topLevelItem(i)->text(0), sent.rules[i].name);
            same(rule["value"], w.RuleList().topLevelItem(i)->text(1), sent.rules[i].value);
        }
        for (int i = 0; i < sent.players.size(); ++i) {
            const QJsonValue p = doc["players"][i];
            const StandInPlayer& s = sent.players[i];
            QCOMPARE(JsonBytes(p["name"]) + '|' + JsonBytes(p["address"]),
                     s.name + '|' + s.address);
            QCOMPARE(
                (QList<int>{p["number"].toInt(), p["frags"].toInt(), p["shirt"]["number"].toInt(),
                            p["pants"]["number"].toInt(), p["connectTime"].toInt()}),
                (QList<int>{i, s.frags, s.shirt, s.pants, s.connectTime}));
        }
        QCOMPARE(game.Script("vantrel.scr"), w.Script("vantrel.scr"));
        for (int i = 0; i < 16; ++i)
            QCOMPARE(game.Script(NameScript(i)), w.Script(NameScript(i)));
    }

    // Control bytes never reach the terminal, even as the bytes came; --no-rules asks for none;
    // the own name goes into the scripts; repeated queries print each result once, the next
    // after a blank line.
    void RawAndRepeated() {
        QuakeServerStandIn server(HostileConfig());
        QVERIFY(server.Start());
        MainWindowFixture game;
        ToolRun f;
        f.Start({"--raw", "--no-rules", "--every", "60", "--scripts", game.GamePath(), "--name",
                 "Me", Address(server)});
        QTRY_VERIFY(!f.query->Running() && !f.out.data().isEmpty());
        // The server info and one request for each player.
        QCOMPARE(server.Requests().size(), 4);
        QVERIFY(!f.Text().contains(QStringLiteral("noexit")) && !f.Text().contains("incomplete"));
        QVERIFY(!f.Text().contains(QRegularExpression("[\\x00-\\x09\\x0b-\\x1f\\x7f-\\x9f]")));
        QVERIFY(f.Text().contains(QStringLiteral("del\\x7fname\\x1b[31m")));
        QVERIFY(game.Script("vantrel.scr").startsWith(ScriptHeader("Me")));
        f.query->OnRepeatTick();
        QTRY_VERIFY(!f.query->Running() && f.Text().count(QStringLiteral("\n\nServer   ")) == 1);
        QCOMPARE(f.Text().count(QStringLiteral("Server   ")), 2);
        QVERIFY(!f.status);
    }

    // A server with more rules than are listed: the query completes and says they were cut.
    void RulesCut() {
        QuakeServerStandIn server(DemoServer(0, MaxRules + 10));
        QVERIFY(server.Start());
        ToolRun f;
        f.Start({"--json", "--no-players", Address(server)});
        QTRY_COMPARE(f.status, std::optional<int>(ExitComplete));
        QCOMPARE(f.Json()["rules"].toArray().size() + f.Json()["rulesTruncated"].toBool(),
                 MaxRules + 1);
    }

    // Many servers, named and listed by a master, sorted by ping with the silent one last. One
    // both named and listed goes by its given name. (How often each is asked is the refresh's
    // own matter, tested with the browser.)
    void SortedByPingSilentLast_data() {
        QTest::addColumn<bool>("json");
        QTest::newRow("text") << false;
        QTest::newRow("JSON") << true;
    }
    void SortedByPingSilentLast() {
        QFETCH(bool, json);
        QuakeServerStandIn fast, slow, silent;
        MasterServerStandIn master;
        QVERIFY(fast.Start() && slow.Start() && silent.Start() && master.Start());
        fast.Config().serverName = "Fast";
        fast.Config().players = DemoPlayers(2);
        slow.Config().serverName = "Slow";
        slow.Config().mapName = "dm4";
        slow.Faults().delayMs = 150;
        silent.Faults().dropServerInfo = true;
        master.Servers() = {{QHostAddress::LocalHost, fast.Port()},
                            {QHostAddress::LocalHost, silent.Port()}};
        const QString named = QStringLiteral("localhost:%1").arg(fast.Port());
        ToolRun run;
        run.Start({json ? "--json" : "--raw",
                   "--master=127.0.0.1:" + QString::number(master.Port()), Address(slow), named});
        ServerRefresh& refresh = run.refresh->Network();
        QTRY_COMPARE(refresh.AnsweredCount(), 1);
        run.clock.Advance(40);
        QTRY_COMPARE(refresh.AnsweredCount(), 2);
        QVERIFY(!run.status);
        // Neither answers its status: the fast one is asked for its two players.
        QSignalSpy players(&refresh, &ServerRefresh::PlayersAnswered);
        run.clock.Advance(ServerPinger::StatusGraceMs);
        refresh.OnTick();
        QTRY_COMPARE(players.size(), 2);
        for (int i = 0; i < 2; ++i) {
            run.clock.Advance(1000);
            refresh.OnTick();
        }
        QCOMPARE(run.status, std::optional<int>(ExitIncomplete));
        if (json)
            QCOMPARE(run.Json()["servers"][0]["players"].toArray().size(), 2);
        QString shown = json ? QString() : run.Text();
        for (const QJsonValue& s : run.Json()["servers"].toArray())
            shown += QStringLiteral("%1 %2\n")
                         .arg(s["server"]["ping"].toInt(-1))
                         .arg(s["address"].toString());
        QCOMPARE(shown, QString::fromLatin1(json ? "0 %1\n40 %2\n-1 %3\n"
                                                 : "     0 ms  2/16  e1m1  %1  Fast\n"
                                                   "    40 ms  0/16  dm4   %2  Slow\n"
                                                   "no answer              %3\n")
                            .arg(named, Address(slow), Address(silent)));
    }

    // A master that lists no server, ending its list as FTE's master does: nothing to ask, and
    // that is a complete answer.
    void EmptyList() {
        MasterServerStandIn master;
        master.Faults().shortEndMark = true;
        QVERIFY(master.Start());
        ToolRun run;
        run.Start({"--json", "--master=127.0.0.1:" + QString::number(master.Port())});
        QTRY_COMPARE(run.status, std::optional<int>(ExitComplete));
        QCOMPARE(run.Json()["servers"].toArray().size(), 0);
        QCOMPARE(run.Json()["masters"][0]["outcome"].toString(), "done");
    }

    // A watch of a named server, one a master lists and a silent one, each refresh ended by the
    // next one's time: the buddy in red letters and the counts reached come in JSON lines, the
    // master is asked again only after five minutes. Terminated, the program ends at once with
    // status 0.
    void Watch() {
        QuakeServerStandIn named(DemoServer(0, 0)), listed(DemoServer(1, 0));
        MasterServerStandIn master;
        QUdpSocket silent;
        QVERIFY(named.Start() && listed.Start() && master.Start() &&
                silent.bind(QHostAddress::LocalHost));
        master.Servers() = {{QHostAddress::LocalHost, listed.Port()}};
        named.Config().players = listed.Config().players = DemoPlayers(1);
        ToolRun run;
        run.Start({"--watch", "--json", "--buddy", "SHAMBLER", "--min-players", "2", "--count", "3",
                   "--master=127.0.0.1:" + QString::number(master.Port()), Address(named),
                   "127.0.0.1:" + QString::number(silent.localPort())});
        // Each refresh's players are in once both servers told them, by status or by number.
        ServerRefresh& refresh = run.watch->Watch().Refresher().Network();
        int told = 0, owed = 0;
        connect(&refresh, &ServerRefresh::StatusAnswered, [&] { ++told; });
        connect(&refresh, &ServerRefresh::PlayersAnswered, [&] { ++told; });
        for (const int seconds : {60, 240, 60}) {
            QTRY_COMPARE(run.watch->Watch().Refresher().StatusText(),
                         "2 of 3 servers answered, asking...");
            run.clock.Advance(ServerPinger::StatusGraceMs);
            refresh.OnTick();
            owed += 2;
            QTRY_COMPARE(told, owed);
            named.Config().players = DemoPlayers(3);
            listed.Config().players = DemoPlayers(2);
            run.clock.Advance(seconds * 1000 - ServerPinger::StatusGraceMs);
            run.watch->Watch().OnTick();
        }
        QCOMPARE(run.status, std::optional<int>(ExitComplete));
        QCOMPARE(master.Requests().size(), 2);
        QStringList lines;
        for (const QByteArray& line : run.out.data().trimmed().split('\n')) {
            const QJsonObject o = QJsonDocument::fromJson(line).object();
            QVERIFY(QDateTime::fromString(o["time"].toString(), Qt::ISODate).isValid());
            lines << QStringList{o["name"].toString().left(5), o["event"].toString(),
                                 o["server"].toString(), o["player"]["text"].toString()}
                         .join(' ');
        }
        lines.sort();
        QCOMPARE(lines, QStringList({"Rocke players-reached " + Address(listed) + ' ',
                                     "Slipg buddy-joined " + Address(named) + " Shambler",
                                     "Slipg players-reached " + Address(named) + ' '}));
        const qsizetype asked = named.Requests().size();
        QProcess program;
        program.start(QStringLiteral(VANTREL_QUERY_PROGRAM),
                      {"--watch", "--min-players", "1", Address(named)});
        QTRY_VERIFY(named.Requests().size() > asked);
        program.terminate();
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus() + program.exitCode(), QProcess::NormalExit);
    }

    // The history of a server the tool queried, beside a silence and another server's odd map
    // recorded straight: the busy hours as a grid, the hours as JSON, every server's hours as
    // CSV. A history file that cannot be used leaves the query working, with one message.
    void History() {
        QuakeServerStandIn server;
        QVERIFY(server.Start());
        server.Config().players = DemoPlayers(2);
        QTemporaryDir dir;
        const QString path = dir.filePath("history.sqlite");
        QBuffer out, errors;
        const auto run = [&](const QStringList& arguments, const QString& history) {
            out.close(), errors.close();
            out.setData({}), errors.setData({});
            out.open(QIODevice::WriteOnly), errors.open(QIODevice::WriteOnly);
            return RunCommandLine(QStringList{"vantrel-query"} + arguments, out, errors, history);
        };
        QCOMPARE(run({"--no-rules", Address(server)}, path), ExitComplete);
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const QDateTime earlier = now.addSecs(-3 * 3600);
        {
            HistorySample silent, odd;
            silent.server = Address(server);
            odd = {"b:1", true, 40, 1, 8, {}, "e1m1,\"x\"", {}, {}};
            HistoryStore store;
            QVERIFY(store.Open(path) && store.Record({silent, odd}, earlier));
        }
        QCOMPARE(run({"--json", "--days", "1", "--history", Address(server)}, path), ExitComplete);
        QStringList hours;
        for (const QJsonValue& h : QJsonDocument::fromJson(out.data())["hours"].toArray())
            hours << QStringLiteral("%1/%2 %3 %4")
                         .arg(h["answers"].toInt())
                         .arg(h["silences"].toInt())
                         .arg(h["playersMax"].toInt())
                         .arg(h["maps"].toVariant().toStringList().join(u' '));
        QCOMPARE(hours, QStringList({"0/1 0 ", "1/0 2 e1m1"}));
        QCOMPARE(run({"--history", Address(server)}, path), ExitComplete);
        QString busy =
            QStringLiteral("Mon Tue Wed Thu Fri Sat Sun").split(u' ')[now.date().dayOfWeek() - 1];
        busy += QString(now.time().hour() * 3 + 2, u' ') + u'@';
        QVERIFY2(QString::fromUtf8(out.data()).split(u'\n').contains(busy), out.data());
        const QString csv = dir.filePath("hours.csv");
        QCOMPARE(run({"--history-export", csv}, path), ExitComplete);
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines[0].startsWith("server,hour,answers,silences,ping_median,"));
        const auto other = std::find_if(lines.begin(), lines.end(), [](const QByteArray& line) {
            return line.startsWith("b:1,");
        });
        QVERIFY(other != lines.end());
        QCOMPARE(*other, "b:1," + earlier.toString("yyyy-MM-ddTHH:00:00Z").toUtf8() +
                             ",1,0,40,0,1,1,\"e1m1,\"\"x\"\"\"\r");
        // Its folder is a file.
        const QString unusable = csv + "/history.sqlite";
        QCOMPARE(run({"--no-rules", Address(server)}, unusable), ExitComplete);
        QVERIFY2(out.data().contains("Players  2/16"), out.data());
        QVERIFY2(errors.data().startsWith("vantrel-query: History is off: ") &&
                     errors.data().count('\n') == 1,
                 errors.data());
        QCOMPARE(run({"--history", Address(server)}, unusable), ExitNoHistory);
    }

    // When the time is up, a host still being looked up and a master still waiting did not
    // answer, and the document says so.
    void TimeUpDuringLookup() {
        ToolRun run;
        run.Start({"--json", UnresolvableHost(), "--master=127.0.0.1:1"});
        run.refresh->OnDeadline();
        QCOMPARE(run.status, std::optional<int>(ExitIncomplete));
        QCOMPARE(run.Text().count(QRegularExpression(R"x("outcome":"(timed out|no answer)")x")), 2);
    }
};

VANTREL_TEST(TestQueryTool)
#include "TestQueryTool.moc"
