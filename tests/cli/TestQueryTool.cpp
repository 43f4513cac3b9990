#include "ExitStatus.h"
#include "ExpectedScripts.h"
#include "QueryWindow.h"
#include "TestRegistry.h"
#include "ToolRun.h"
#include "master/MasterServerStandIn.h"
#include "standin/DemoConfig.h"

#include <QRegularExpression>

namespace {

const char* const normalText = R"(Server   Vantrel stand-in
Address  127.0.0.1:%1
Map      e1m1
Players  4/16
Ping     N ms

#  Name      Frags  Shirt    Pants    Connected  Address
0  Ranger       -2  0 white  4 red           60  127.0.0.1:27001
1  Fiend         5  5 olive  7 peach        157  127.0.0.1:27002
2  Shambler     12  10 tan   10 tan         254  127.0.0.1:27003
3  [Vore]       19  1 brown  13 blue        351  127.0.0.1:27004

Rule         Value
sv_gravity   800
sv_friction  4
)";

// A server that sends what no client should trust: quotes, bytes of the game's own character set,
// DEL, an escape sequence, a name longer than the window lists, a rule name of 60 characters.
StandInConfig HostileConfig() {
    StandInConfig c;
    c.serverName = "\x80\x81 \"Hostile\" \\ server \x7f\xff";
    c.mapName = "e1m1\x8d";
    c.maxPlayers = 8;
    c.players = {
        {"\"quoted\" name;", 4, 13, -3, 12, "10.0.0.2:26000"},
        {"\xd3\xe8\xe1\xed\xe2\xec\xe5\xf2", 15, 14, 0, 1, "10.0.0.3:26000"},
        {"del\x7fname\x1b[31m", 2, 3, 100000, -5, "10.0.0.4:26000"},
        {"player", 0, 0, 0, 0, "10.0.0.5:26000"},
        {"Thirty bytes of a player name.", 12, 11, 7, 8, "10.0.0.6:26000"},
    };
    c.rules = {{"sv_" + QByteArray(57, 'x'), "\"v\"\xe1\x7f"},
               {"sv_gravity", "800"},
               {"noexit", "\x1b\x10\x11"}};
    return c;
}

qsizetype RuleRequests(const QuakeServerStandIn& server) {
    return std::count_if(server.Requests().begin(), server.Requests().end(),
                         [](const QByteArray& r) { return r.size() > 4 && r[4] == '\x04'; });
}

} // namespace

// One server's query ends as soon as the last reply is in, long before its time is up; when the
// time runs out first, what arrived is printed and what did not is named. Many servers are each
// asked for their server info only.
class TestQueryTool : public QObject {
    Q_OBJECT

private slots:
    void NormalServer() {
        QuakeServerStandIn server;
        QVERIFY(server.Start());
        server.Config().players = DemoPlayers(4);
        server.Config().rules = DemoRules(2);
        ToolRun f;
        QCOMPARE(f.Run({Address(server)}), int(ExitComplete));
        // The ping of a loopback query may come out as 0 or 1 ms.
        QCOMPARE(f.Text().replace(
                     QRegularExpression("^Ping     \\d+ ms$", QRegularExpression::MultilineOption),
                     "Ping     N ms"),
                 QString::fromLatin1(normalText).arg(server.Port()));
        QVERIFY(f.errors.data().isEmpty());
    }

    // The players and the rule replies lost, what is named missing.
    void Incomplete_data() {
        QTest::addColumn<bool>("json");
        QTest::addColumn<QList<int>>("droppedPlayers");
        QTest::addColumn<QList<int>>("droppedRules");
        QTest::addColumn<QStringList>("missing");
        QTest::newRow("player, JSON")
            << true << QList<int>{1} << QList<int>{} << QStringList{"player 1"};
        QTest::newRow("both, text") << false << QList<int>{0, 3} << QList<int>{2}
                                    << QStringList{"player 0", "player 3", "end of rules"};
    }
    void Incomplete() {
        QFETCH(bool, json);
        QFETCH(QList<int>, droppedPlayers);
        QFETCH(QList<int>, droppedRules);
        QFETCH(QStringList, missing);
        QuakeServerStandIn server;
        QVERIFY(server.Start());
        server.Config().players = DemoPlayers(4);
        server.Config().rules = DemoRules(2);
        server.Faults().droppedPlayers = {droppedPlayers.begin(), droppedPlayers.end()};
        server.Faults().droppedRules = {droppedRules.begin(), droppedRules.end()};
        ToolRun f;
        f.Start(json ? QStringList{"--json", Address(server)} : QStringList{Address(server)});
        QCOMPARE(f.query->DeadlineMs(), 20000);
        QTRY_COMPARE(f.query->State().playerReplies, 4 - droppedPlayers.size());
        // The request that the lost reply answers has been made; nothing else will come.
        QTRY_COMPARE(RuleRequests(server), 3);
        QVERIFY(!f.status);
        f.query->OnDeadline();
        QCOMPARE(f.status, std::optional<int>(ExitIncomplete));
        const QJsonObject doc = f.Json().object();
        if (json) {
            QCOMPARE(doc["complete"].toBool(true), false);
            QCOMPARE(doc["missing"].toArray(), QJsonArray::fromStringList(missing));
            QCOMPARE(doc["players"].toArray().size(), 4 - droppedPlayers.size());
            QCOMPARE(doc["rules"].toArray().size(), 2);
        } else {
            QVERIFY(f.Text().startsWith(QStringLiteral("Server   Vantrel stand-in\n")));
            QVERIFY(
                f.Text().endsWith("\nincomplete: " + missing.join(QStringLiteral(", ")) + "\n"));
        }
    }

    // Repeated queries print each result once, the next after a blank line.
    void Every() {
        QuakeServerStandIn server;
        QVERIFY(server.Start());
        ToolRun f;
        f.Start({"--every", "60", "--no-players", "--no-rules", Address(server)});
        QTRY_VERIFY(!f.query->Running() && !f.out.data().isEmpty());
        f.query->OnRepeatTick();
        QTRY_VERIFY(!f.query->Running());
        QTRY_COMPARE(f.Text().count(QStringLiteral("Server   ")), 2);
        QVERIFY(f.Text().contains(QStringLiteral("\n\nServer   ")));
        QVERIFY(!f.status);
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
        QCOMPARE(f.Run({"--json", "--scripts", game.GamePath(), Address(w.server)}),
                 int(ExitComplete));
        QCOMPARE(f.out.data().count('\n'), 1);
        const QJsonObject doc = f.Json().object();
        QVERIFY2(doc["complete"].toBool() && doc["missing"].toArray().isEmpty(), f.out.data());
        const StandInConfig& sent = w.server.Config();
        // Each text as converted beside what the window shows, and as its bytes came.
        const QJsonValue server = doc["server"];
        QStringList printed{server["name"]["text"].toString(), server["map"]["text"].toString(),
                            server["address"]["text"].toString(),
                            QString::number(server["players"].toInt()),
                            QString::number(server["maxPlayers"].toInt())};
        QStringList shown{w.Text("serverName"), w.Text("mapName"), w.Text("serverAddress"),
                          w.Text("currentPlayers"), w.Text("maxPlayers")};
        QList<QByteArray> received{JsonBytes(server["name"]), JsonBytes(server["map"])};
        QList<QByteArray> bytes{sent.serverName, sent.mapName};
        QVERIFY(server["ping"].isDouble() && server["ping"].toInt(-1) >= 0);
        const QJsonArray rules = doc["rules"].toArray();
        QCOMPARE(rules.size(), sent.rules.size());
        for (int i = 0; i < rules.size(); ++i) {
            printed << rules[i]["name"]["text"].toString() << rules[i]["value"]["text"].toString();
            shown << w.RuleList().topLevelItem(i)->text(0) << w.RuleList().topLevelItem(i)->text(1);
            received << JsonBytes(rules[i]["name"]) << JsonBytes(rules[i]["value"]);
            bytes << sent.rules[i].name << sent.rules[i].value;
        }
        const QJsonArray players = doc["players"].toArray();
        QCOMPARE(players.size(), sent.players.size());
        for (int i = 0; i < players.size(); ++i) {
            const QJsonValue p = players[i];
            const StandInPlayer& s = sent.players[i];
            received << JsonBytes(p["name"]) << JsonBytes(p["address"]);
            bytes << s.name << s.address;
            QCOMPARE(
                (QList<int>{p["number"].toInt(), p["frags"].toInt(), p["shirt"]["number"].toInt(),
                            p["pants"]["number"].toInt(), p["connectTime"].toInt()}),
                (QList<int>{i, s.frags, s.shirt, s.pants, s.connectTime}));
        }
        QCOMPARE(printed, shown);
        QCOMPARE(received, bytes);

        QCOMPARE(game.Script("vantrel.scr"), w.Script("vantrel.scr"));
        for (int i = 0; i < 16; ++i)
            QCOMPARE(game.Script(NameScript(i)), w.Script(NameScript(i)));
    }

    // Control bytes never reach the terminal, even as the bytes came; --no-rules asks for none;
    // the own name goes into the scripts.
    void RawText() {
        QuakeServerStandIn server(HostileConfig());
        QVERIFY(server.Start());
        MainWindowFixture game;
        ToolRun f;
        QCOMPARE(f.Run({"--raw", "--no-rules", "--scripts", game.GamePath(), "--name", "Me",
                        Address(server)}),
                 int(ExitComplete));
        QCOMPARE(RuleRequests(server), 0);
        QVERIFY(!f.Text().contains(QStringLiteral("sv_gravity")));
        QVERIFY(!f.Text().contains(QRegularExpression("[\\x00-\\x09\\x0b-\\x1f\\x7f-\\x9f]")));
        QVERIFY(f.Text().contains(QStringLiteral("del\\x7fname\\x1b[31m")));
        QVERIFY(game.Script("vantrel.scr").startsWith(ScriptHeader("Me")));
    }

    void SortedByPingSilentLast() {
        QuakeServerStandIn fast, slow, silent;
        for (QuakeServerStandIn* s : {&fast, &slow, &silent})
            QVERIFY(s->Start());
        fast.Config().serverName = "Fast";
        fast.Config().players = DemoPlayers(2);
        slow.Config().serverName = "Slow";
        slow.Config().mapName = "dm4";
        slow.Faults().delayMs = 150;
        silent.Faults().dropServerInfo = true;
        ToolRun run;
        run.Start({Address(silent), Address(slow), Address(fast)});
        ServerSweep& sweep = run.sweep->Sweep();
        QTRY_COMPARE(sweep.AnsweredCount(), 1);
        run.clock.Advance(40);
        QTRY_COMPARE(sweep.AnsweredCount(), 2);
        QVERIFY(!run.status);
        // Two seconds pass: the silent server is asked again, then given up.
        for (int i = 0; i < 2; ++i) {
            run.clock.Advance(1000);
            sweep.OnTick();
        }
        QCOMPARE(run.status, std::optional<int>(ExitIncomplete));
        QCOMPARE(run.Text(), QStringLiteral("     0 ms  2/16  e1m1  %1  Fast\n"
                                            "    40 ms  0/16  dm4   %2  Slow\n"
                                            "no answer              %3\n")
                                 .arg(Address(fast), Address(slow), Address(silent)));
        // The silent server had its second chance, and no more.
        QTRY_COMPARE(silent.Requests().size(), 2);
    }

    // A server both named and listed by a master is asked once and goes by its given name.
    void MastersServers() {
        QuakeServerStandIn named, listed;
        MasterServerStandIn master;
        QVERIFY(named.Start() && listed.Start() && master.Start());
        master.Servers() = {{QHostAddress::LocalHost, named.Port()},
                            {QHostAddress::LocalHost, listed.Port()}};
        const QString namedText = QStringLiteral("localhost:%1").arg(named.Port());
        ToolRun run;
        QCOMPARE(
            run.Run({"--json", "--master=127.0.0.1:" + QString::number(master.Port()), namedText}),
            int(ExitComplete));
        QStringList addresses;
        for (const QJsonValue& s : run.Json().array()) {
            QVERIFY(s["answered"].toBool());
            QCOMPARE(s["server"]["map"]["text"].toString(), QStringLiteral("e1m1"));
            addresses << s["address"].toString();
        }
        addresses.sort();
        QCOMPARE(addresses, (QStringList{Address(listed), namedText}));
        QCOMPARE(named.Requests().size(), 1);
    }
};

VANTREL_TEST(TestQueryTool)
#include "TestQueryTool.moc"
