#include "ToolFixture.h"
#include "cli/ExitStatus.h"
#include "standin/ControlMessages.h"
#include "standin/DemoConfig.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

// How a query ends: complete, incomplete with what is missing named, or without a host.
class TestQueryEnd : public QObject {
    Q_OBJECT

private slots:
    void NoRulesAsksForNone() {
        ToolFixture f;
        f.server.Config().players = DemoPlayers(2);
        f.server.Config().rules = DemoRules(5);
        QCOMPARE(f.Run({"--no-rules", "--json"}), int(ExitComplete));
        QVERIFY(RequestsWithCode(f.server, 0x04).isEmpty());
        const QJsonObject doc = f.Json().object();
        QVERIFY(!doc.contains("rules"));
        QCOMPARE(doc["players"].toArray().size(), 2);
        QCOMPARE(doc["complete"].toBool(false), true);
    }

    // The players are still asked for, as the window asks, but not shown.
    void NoPlayers() {
        ToolFixture f;
        f.server.Config().players = DemoPlayers(3);
        f.server.Config().rules = DemoRules(2);
        QCOMPARE(f.Run({"--no-players"}), int(ExitComplete));
        QCOMPARE(RequestsWithCode(f.server, 0x03).size(), 3);
        QVERIFY(f.Text().contains(QStringLiteral("Players  3/16\n")));
        QVERIFY(!f.Text().contains(QStringLiteral("Ranger")));
        QVERIFY(f.Text().contains(QStringLiteral("sv_friction")));
    }

    void EmptyServer() {
        ToolFixture f;
        QCOMPARE(f.Run(), int(ExitComplete));
        QVERIFY(f.Text().endsWith(QStringLiteral("\nNo players.\n\nNo rules.\n")));
    }

    // The time runs out with a reply missing: what arrived is printed, and what did not is named.
    void Incomplete_data() {
        QTest::addColumn<QList<int>>("droppedPlayers");
        QTest::addColumn<QList<int>>("droppedRules");
        QTest::addColumn<int>("playersIn");
        QTest::addColumn<int>("rulesIn");
        QTest::addColumn<QStringList>("missing");
        QTest::newRow("player") << QList<int>{1} << QList<int>{} << 3 << 5
                                << QStringList{"player 1"};
        QTest::newRow("end of rules")
            << QList<int>{} << QList<int>{5} << 4 << 5 << QStringList{"end of rules"};
        QTest::newRow("both") << QList<int>{0, 3} << QList<int>{2} << 2 << 2
                              << QStringList{"player 0", "player 3", "end of rules"};
    }
    void Incomplete() {
        QFETCH(QList<int>, droppedPlayers);
        QFETCH(QList<int>, droppedRules);
        QFETCH(int, playersIn);
        QFETCH(int, rulesIn);
        QFETCH(QStringList, missing);
        for (const bool json : {false, true}) {
            ToolFixture f;
            f.server.Config().players = DemoPlayers(4);
            f.server.Config().rules = DemoRules(5);
            f.server.Faults().droppedPlayers = {droppedPlayers.begin(), droppedPlayers.end()};
            f.server.Faults().droppedRules = {droppedRules.begin(), droppedRules.end()};
            QueryTool& tool = f.Start(json ? QStringList{"--json"} : QStringList{});
            QTRY_COMPARE(tool.State().playerReplies, playersIn);
            QTRY_COMPARE(tool.State().ruleCount, rulesIn);
            // The request that the lost reply answers has been made; nothing else will come.
            QTRY_COMPARE(RequestsWithCode(f.server, 0x04).size(), rulesIn + 1);
            QVERIFY(!f.Status());
            tool.OnDeadline();
            QCOMPARE(f.Status(), std::optional<int>(ExitIncomplete));
            if (json) {
                const QJsonObject doc = f.Json().object();
                QCOMPARE(doc["complete"].toBool(true), false);
                QCOMPARE(doc["missing"].toArray(), QJsonArray::fromStringList(missing));
                QCOMPARE(doc["players"].toArray().size(), playersIn);
                QCOMPARE(doc["rules"].toArray().size(), rulesIn);
            } else {
                QVERIFY(f.Text().startsWith(QStringLiteral("Server   Vantrel stand-in\n")));
                QVERIFY(f.Text().endsWith(
                    QStringLiteral("\nincomplete: %1\n").arg(missing.join(u", "))));
            }
        }
    }

    // A second reply for a player already counted changes nothing of what is printed.
    void ExtraReplyForACountedPlayer() {
        ToolFixture f;
        f.server.Config().players = DemoPlayers(2);
        f.server.Faults().droppedPlayers = {1};
        QueryTool& tool = f.Start({"--json"});
        QTRY_COMPARE(tool.State().playerReplies, 1);
        const auto send = [&f](int number, const StandInPlayer& player) {
            f.server.SendRaw(StandIn::PlayerInfoReply(number, player).bytes,
                             f.server.LastSenderAddress(), f.server.LastSenderPort());
        };
        send(0, {"Impostor", 1, 2, 99, 5, "10.6.6.6:26000"});
        send(1, f.server.Config().players[1]);
        QCOMPARE(f.WaitForEnd(), int(ExitComplete));
        const QJsonArray players = f.Json()["players"].toArray();
        QCOMPARE(players.size(), 2);
        QCOMPARE(JsonText(players[0]["name"]), QStringLiteral("Ranger"));
        QCOMPARE(players[0]["frags"].toInt(), -2);
    }

    void NoServerInfo() {
        ToolFixture f;
        f.server.Faults().dropServerInfo = true;
        QueryTool& tool = f.Start({"--json"});
        QTRY_COMPARE(f.server.Requests().size(), 1);
        tool.OnDeadline();
        QCOMPARE(f.Status(), std::optional<int>(ExitIncomplete));
        const QJsonObject doc = f.Json().object();
        QVERIFY(doc["server"].isNull());
        QCOMPARE(doc["missing"].toArray(), QJsonArray{"server info"});
    }

    void DeadlineIsTheTimeout() {
        ToolFixture f;
        f.server.Faults().dropServerInfo = true;
        QCOMPARE(f.Start().DeadlineMs(), 20000);
        QCOMPARE(f.Start({"--timeout", "7"}).DeadlineMs(), 7000);
    }

    void HostNotFound() {
        ToolFixture f;
        f.serverText = QStringLiteral("no-such-host.invalid:26000");
        QCOMPARE(f.Run(), int(ExitHostNotFound));
        QVERIFY(f.Out().isEmpty());
        QCOMPARE(f.Errors(), QByteArray("vantrel-query: host not found: no-such-host.invalid\n"));
    }

    // Each repeat asks again and prints again; the queries never end on their own.
    void Every() {
        ToolFixture f;
        f.server.Config().players = DemoPlayers(1);
        QueryTool& tool = f.Start({"--every", "60", "--json"});
        QTRY_COMPARE(f.Out().count('\n'), 1);
        f.server.Config().players = DemoPlayers(2);
        tool.OnRepeatTick();
        QTRY_COMPARE(f.Out().count('\n'), 2);
        QVERIFY(!f.Status());
        QCOMPARE(RequestsWithCode(f.server, 0x02).size(), 2);
        const QList<QByteArray> documents = f.Out().split('\n');
        QCOMPARE(QJsonDocument::fromJson(documents[0])["players"].toArray().size(), 1);
        QCOMPARE(QJsonDocument::fromJson(documents[1])["players"].toArray().size(), 2);

        // A query still running when the next is due ends as it stands.
        f.server.Faults().droppedPlayers = {1};
        tool.OnRepeatTick();
        QTRY_COMPARE(tool.State().playerReplies, 1);
        tool.OnRepeatTick();
        const QJsonDocument third = QJsonDocument::fromJson(f.Out().split('\n')[2]);
        QCOMPARE(third["missing"].toArray(), QJsonArray{"player 1"});
        QVERIFY(tool.Running());
    }
};

int RunQueryEndTests(int argc, char** argv) {
    TestQueryEnd test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestQueryEnd.moc"
