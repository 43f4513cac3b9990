#include "ExitStatus.h"
#include "TestRegistry.h"
#include "TestWorld.h"
#include "ToolFixture.h"
#include "standin/DemoConfig.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QTest>

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

void FourPlayersTwoRules(ToolFixture& f) {
    f.server.Config().players = DemoPlayers(4);
    f.server.Config().rules = DemoRules(2);
}

} // namespace

// A query ends as soon as the last reply is in, long before its time is up; when the time runs
// out first, what arrived is printed and what did not is named.
class TestQueryTool : public QObject {
    Q_OBJECT

private slots:
    void NormalServer() {
        ToolFixture text;
        FourPlayersTwoRules(text);
        QCOMPARE(text.Run(), int(ExitComplete));
        // The ping of a loopback query may come out as 0 or 1 ms.
        QCOMPARE(text.Text().replace(
                     QRegularExpression("^Ping     \\d+ ms$", QRegularExpression::MultilineOption),
                     "Ping     N ms"),
                 QString::fromLatin1(normalText).arg(text.server.Port()));
        QVERIFY(text.Errors().isEmpty());

        ToolFixture f;
        FourPlayersTwoRules(f);
        QCOMPARE(f.Run({"--json"}), int(ExitComplete));
        QCOMPARE(f.Out().count('\n'), 1);
        const QJsonObject doc = f.Json();
        QCOMPARE(doc["complete"].toBool(false), true);
        QCOMPARE(doc["missing"].toArray(), QJsonArray());

        const QJsonValue server = doc["server"];
        QCOMPARE(JsonText(server["name"]), QStringLiteral("Vantrel stand-in"));
        QCOMPARE(JsonText(server["address"]), QStringLiteral("127.0.0.1:%1").arg(f.server.Port()));
        QCOMPARE(JsonText(server["map"]), QStringLiteral("e1m1"));
        QCOMPARE(server["players"].toInt(), 4);
        QCOMPARE(server["maxPlayers"].toInt(), 16);
        QVERIFY(server["ping"].isDouble() && server["ping"].toInt(-1) >= 0);

        const QJsonArray players = doc["players"].toArray();
        QCOMPARE(players.size(), 4);
        // Every field of every player is held against the window's details in the script tests.
        const QJsonValue shambler = players[2];
        QCOMPARE(JsonBytes(shambler["name"]), f.server.Config().players[2].name);
        QCOMPARE(shambler["shirt"].toObject(), (QJsonObject{{"number", 10}, {"name", "tan"}}));

        const QJsonArray rules = doc["rules"].toArray();
        QCOMPARE(rules.size(), 2);
        QCOMPARE(JsonText(rules[0]["name"]), QStringLiteral("sv_gravity"));
        QCOMPARE(JsonText(rules[1]["value"]), QStringLiteral("4"));
    }

    void Incomplete_data() {
        QTest::addColumn<bool>("json");
        QTest::addColumn<QList<int>>("droppedPlayers");
        QTest::addColumn<QList<int>>("droppedRules");
        QTest::addColumn<int>("playersIn");
        QTest::addColumn<int>("rulesIn");
        QTest::addColumn<QStringList>("missing");
        QTest::newRow("player, JSON")
            << true << QList<int>{1} << QList<int>{} << 3 << 2 << QStringList{"player 1"};
        QTest::newRow("both, text") << false << QList<int>{0, 3} << QList<int>{2} << 2 << 2
                                    << QStringList{"player 0", "player 3", "end of rules"};
    }
    void Incomplete() {
        QFETCH(bool, json);
        QFETCH(QList<int>, droppedPlayers);
        QFETCH(QList<int>, droppedRules);
        QFETCH(int, playersIn);
        QFETCH(int, rulesIn);
        QFETCH(QStringList, missing);
        ToolFixture f;
        FourPlayersTwoRules(f);
        f.server.Faults().droppedPlayers = {droppedPlayers.begin(), droppedPlayers.end()};
        f.server.Faults().droppedRules = {droppedRules.begin(), droppedRules.end()};
        QueryTool& tool = f.Start(json ? QStringList{"--json"} : QStringList{});
        QCOMPARE(tool.DeadlineMs(), 20000);
        QTRY_COMPARE(tool.State().playerReplies, playersIn);
        QTRY_COMPARE(tool.State().ruleCount, rulesIn);
        // The request that the lost reply answers has been made; nothing else will come.
        QTRY_COMPARE(RequestsWithCode(f.server, '\x04'), rulesIn + 1);
        QVERIFY(!f.Status());
        tool.OnDeadline();
        QCOMPARE(f.Status(), std::optional<int>(ExitIncomplete));
        if (json) {
            const QJsonObject doc = f.Json();
            QCOMPARE(doc["complete"].toBool(true), false);
            QCOMPARE(doc["missing"].toArray(), QJsonArray::fromStringList(missing));
            QCOMPARE(doc["players"].toArray().size(), playersIn);
            QCOMPARE(doc["rules"].toArray().size(), rulesIn);
        } else {
            QVERIFY(f.Text().startsWith(QStringLiteral("Server   Vantrel stand-in\n")));
            QVERIFY(f.Text().endsWith(
                QStringLiteral("\nincomplete: %1\n").arg(missing.join(QStringLiteral(", ")))));
        }
    }

    void HostNotFound() {
        ToolFixture f;
        f.serverText = UnresolvableHost() + ":26000";
        QCOMPARE(f.Run(), int(ExitHostNotFound));
        QVERIFY(f.Out().isEmpty());
        QCOMPARE(f.Errors(),
                 "vantrel-query: host not found: " + UnresolvableHost().toUtf8() + "\n");
    }
};

VANTREL_TEST(TestQueryTool)
#include "TestQueryTool.moc"
