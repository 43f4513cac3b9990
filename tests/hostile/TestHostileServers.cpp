#include "ProcessFigures.h"
#include "QueryWindow.h"
#include "TestRegistry.h"
#include "TimerIds.h"
#include "standin/ControlMessages.h"
#include "standin/DemoConfig.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>

class TestHostileServers : public QObject {
    Q_OBJECT

private slots:
    void FloodDuringAQuery() {
        QueryWindow w;
        w.server.Config().players = DemoPlayers(8);
        w.server.Config().rules = DemoRules(5);
        MainDialog& d = w.Open();
        w.PressQuery();
        QTRY_VERIFY(w.AllRepliesIn());
        const QByteArray clean = w.Script("vantrel.scr");
        const QStringList players = w.PlayerItems();
        d.OnTimerTick(QueryTimer);

        // The same query again, its replies held back while the flood is under way.
        w.server.Faults().delayMs = 150;
        w.server.ClearRequests();
        w.PressQuery();
        QTRY_VERIFY(!w.server.Requests().isEmpty());
        const qint64 residentBefore = ResidentBytes();
        // The longest time the event loop went without running a 5 ms timer.
        qint64 longestStall = 0;
        QElapsedTimer sinceTick;
        sinceTick.start();
        QTimer ticks;
        connect(&ticks, &QTimer::timeout,
                [&] { longestStall = std::max(longestStall, sinceTick.restart()); });
        ticks.start(5);
        // A batch per turn of the event loop: garbage and oversized datagrams from the server's
        // own address, and well-formed replies from a stranger.
        QUdpSocket stranger;
        stranger.bind(QHostAddress::LocalHost, 0);
        StandInConfig evil;
        evil.serverName = evil.mapName = "Evil";
        evil.players = DemoPlayers(16);
        const QList<QByteArray> fromServer = {QByteArray(12, '\xff'), QByteArray(400, '\x7e')};
        const QList<QByteArray> fromStranger = {
            StandIn::ServerInfoReply("Evil", evil).bytes,
            StandIn::PlayerInfoReply(0, {"Evil", 0, 0, 0, 0, "Evil"}).bytes,
            StandIn::RuleInfoReply({"Evil", "Evil"}).bytes, QByteArray(600, '\x85')};
        const quint16 target = w.server.LastSenderPort();
        int remaining = 100000;
        QTimer batches;
        connect(&batches, &QTimer::timeout, [&] {
            for (int i = 0; i < 200 && remaining > 0; ++i, --remaining) {
                if (remaining % 2 == 0)
                    w.server.SendRaw(fromServer[remaining % 4 / 2], QHostAddress::LocalHost,
                                     target);
                else
                    stranger.writeDatagram(fromStranger[remaining % 8 / 2], QHostAddress::LocalHost,
                                           target);
            }
        });
        batches.start(0);
        QTRY_VERIFY_WITH_TIMEOUT(remaining == 0 && w.AllRepliesIn(), 60000);
        QVERIFY2(longestStall < 200, qPrintable(QString::number(longestStall)));
        QVERIFY(!ResidentMemoryIsMeaningful || ResidentBytes() - residentBefore < 16 << 20);

        d.OnTimerTick(QueryTimer);
        QCOMPARE(d.windowTitle() + w.Text("serverName") + w.Text("mapName"),
                 "Vantrel - Query SucsessVantrel stand-ine1m1");
        QCOMPARE(w.PlayerItems(), players);
        QCOMPARE(w.RuleList().topLevelItemCount(), 5);
        QCOMPARE(w.Script("vantrel.scr"), clean);
    }

    // A query that timed out keeps its socket: replies that come late still fill the window.
    void LateRepliesAfterATimeout() {
        QueryWindow w;
        w.settings.timeout = 1;
        w.server.Config().players = DemoPlayers(2);
        w.server.Faults().delayMs = 100;
        MainDialog& d = w.Open();
        w.PressQuery();
        d.OnTimerTick(QueryTimer);
        QCOMPARE(w.Looks().section(u'|', 0, 0) + w.Looks().section(u'|', 4, 4),
                 "Vantrel - Query Timed Outq0u0");
        QTRY_VERIFY(w.AllRepliesIn());
        QCOMPARE(w.PlayerList().count(), 2);
    }

    // Replies to a stopped query never reach the next one.
    void RepliesToAnEarlierQuery() {
        QueryWindow w;
        w.server.Config().players = DemoPlayers(3);
        w.server.Faults().delayMs = 100;
        w.Open();
        w.PressQuery();
        w.QueryButton().click();
        w.server.Config().players = DemoPlayers(1);
        w.server.Faults().delayMs = 0;
        w.PressQuery();
        QTRY_VERIFY(w.AllRepliesIn());
        QTest::qWait(200);
        QCOMPARE(w.PlayerItems(), QStringList{"Ranger"});
        QCOMPARE(w.Text("currentPlayers"), "1");
        QCOMPARE(w.Script("vantrel.scr").count("alias scrollnames"), 1);
    }

    // A rule chain that never ends stays bounded. The same rule again is never asked after and
    // the query times out; a long chain ends at the bound as at an end reply, and completes.
    // Rules the server sends unasked past the bound are not listed either.
    void EndlessRuleChains_data() {
        QTest::addColumn<int>("ruleCount");
        QTest::addColumn<bool>("endless");
        QTest::addColumn<bool>("looping");
        QTest::addColumn<int>("mostRules");
        QTest::newRow("the same rule again") << 4 << true << false << 1;
        QTest::newRow("names in a loop") << 4 << false << true << 1024;
        QTest::newRow("more rules than the bound") << 1100 << false << false << 1024;
    }
    void EndlessRuleChains() {
        QFETCH(int, ruleCount);
        QFETCH(bool, endless);
        QFETCH(bool, looping);
        QFETCH(int, mostRules);
        QueryWindow w;
        w.settings.timeout = 2;
        w.server.Config().rules = DemoRules(ruleCount);
        w.server.Faults().endlessRules = endless;
        w.server.Faults().loopingRules = looping;
        MainDialog& d = w.Open();
        w.PressQuery();
        QTRY_COMPARE(w.RuleList().topLevelItemCount(), mostRules);
        for (int i = 0; i < 20 && mostRules == 1024; ++i)
            w.server.SendRaw(StandIn::RuleInfoReply({"r" + QByteArray::number(i), "1"}).bytes,
                             QHostAddress::LocalHost, w.server.LastSenderPort());
        QTest::qWait(50);
        QCOMPARE(w.RuleList().topLevelItemCount(), mostRules);
        QVERIFY(w.server.Requests().size() <= mostRules + 2);
        d.OnTimerTick(QueryTimer);
        d.OnTimerTick(QueryTimer);
        QCOMPARE(d.windowTitle(),
                 mostRules == 1 ? "Vantrel - Query Timed Out" : "Vantrel - Query Sucsess");
    }
};

VANTREL_TEST(TestHostileServers)
#include "TestHostileServers.moc"
