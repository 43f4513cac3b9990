#include "ProcessFigures.h"
#include "QueryWindow.h"
#include "TestRegistry.h"
#include "TimerIds.h"
#include "standin/DemoConfig.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUdpSocket>

namespace {

QByteArray Reply(char code, const QByteArray& body) {
    QByteArray r = QByteArray::fromHex("80000000") + code + body;
    r[3] = char(r.size());
    return r;
}

// Sends a stream of datagrams at the window, a batch per turn of the event loop: garbage and
// oversized datagrams from the server's own address, and well-formed replies from strangers.
class Flood : public QObject {
public:
    Flood(QuakeServerStandIn& server, quint16 target, int total)
        : server(server), target(target), remaining(total) {
        stranger.bind(QHostAddress::LocalHost, 0);
        const QByteArray evil("Evil\0", 5);
        fromServer = {QByteArray(12, '\xff'), QByteArray(400, '\x7e')};
        fromStranger = {Reply('\x83', evil + evil + evil + "\x10\x10\x03"),
                        Reply('\x84', "\x00" + evil + QByteArray(12, '\0') + evil),
                        Reply('\x85', evil + evil), QByteArray(600, '\x85')};
        QTimer::singleShot(0, this, &Flood::Batch);
    }
    bool Done() const { return remaining == 0; }

private:
    void Batch() {
        for (int i = 0; i < 200 && remaining > 0; ++i, --remaining) {
            if (remaining % 2 == 0)
                server.SendRaw(fromServer[remaining % 4 / 2], QHostAddress::LocalHost, target);
            else
                stranger.writeDatagram(fromStranger[remaining % 8 / 2], QHostAddress::LocalHost,
                                       target);
        }
        if (remaining > 0)
            QTimer::singleShot(0, this, &Flood::Batch);
    }

    QuakeServerStandIn& server;
    quint16 target;
    int remaining;
    QUdpSocket stranger;
    QList<QByteArray> fromServer;
    QList<QByteArray> fromStranger;
};

// The longest time the event loop went without running a 5 ms timer.
class StallMeter : public QObject {
public:
    StallMeter() {
        clock.start();
        connect(&timer, &QTimer::timeout, this,
                [this] { longest = std::max(longest, clock.restart()); });
        timer.start(5);
    }
    qint64 longest = 0;

private:
    QTimer timer;
    QElapsedTimer clock;
};

} // namespace

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
        StallMeter stalls;
        Flood flood(w.server, w.server.LastSenderPort(), 100000);
        QTRY_VERIFY_WITH_TIMEOUT(flood.Done() && w.AllRepliesIn(), 60000);
        const qint64 growth = ResidentBytes() - residentBefore;
        qInfo("flood: longest stall %lld ms, resident growth %lld KiB", stalls.longest,
              growth / 1024);
        QVERIFY2(stalls.longest < 200, qPrintable(QString::number(stalls.longest)));
        QVERIFY(!ResidentMemoryIsMeaningful || growth < 16 * 1024 * 1024);

        d.OnTimerTick(QueryTimer);
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel - Query Sucsess"));
        QCOMPARE(w.Text("serverName"), QStringLiteral("Vantrel stand-in"));
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
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel - Query Timed Out"));
        QCOMPARE(d.State().querying, 0);
        QTRY_VERIFY(w.AllRepliesIn());
        QCOMPARE(w.PlayerList().count(), 2);
    }

    // Replies to a stopped query never reach the next one.
    void RepliesToAnEarlierQuery() {
        QueryWindow w;
        w.server.Config().players = DemoPlayers(3);
        w.server.Faults().delayMs = 100;
        MainDialog& d = w.Open();
        w.PressQuery();
        w.QueryButton().click();
        w.server.Config().players = DemoPlayers(1);
        w.server.Faults().delayMs = 0;
        w.PressQuery();
        QTRY_VERIFY(w.AllRepliesIn());
        QTest::qWait(200);
        QCOMPARE(d.Fields().currentPlayers, 1);
        QCOMPARE(w.PlayerItems(), QStringList{"Ranger"});
        QCOMPARE(w.Script("vantrel.scr").count("alias scrollnames"), 1);
    }

    // Rules the server sends unasked are bounded too.
    void RulesSentUnasked() {
        QueryWindow w;
        MainDialog& d = w.Open();
        w.server.Faults().droppedRules = {0};
        w.PressQuery();
        QTRY_COMPARE(d.State().serverInfoReceived, 1);
        for (int i = 0; i < 1500; ++i) {
            w.server.SendRaw(Reply('\x85', "r" + QByteArray::number(i) + '\0' + "1" + '\0'),
                             QHostAddress::LocalHost, w.server.LastSenderPort());
            // A few at a time, so that the socket's receive buffer never overflows.
            if (i % 100 == 99)
                QTRY_COMPARE(w.RuleList().topLevelItemCount(), std::min(i + 1, 1024));
        }
        QTRY_COMPARE(w.RuleList().topLevelItemCount(), 1024);
        QTest::qWait(50);
        QCOMPARE(w.RuleList().topLevelItemCount(), 1024);
    }

    // A rule chain that never ends stays bounded. The same rule again is never asked after and
    // the query times out; a long chain ends at the bound as at an end reply, and completes.
    void EndlessRuleChains_data() {
        QTest::addColumn<int>("ruleCount");
        QTest::addColumn<bool>("endless");
        QTest::addColumn<bool>("looping");
        QTest::addColumn<int>("mostRules");
        QTest::addColumn<QString>("caption");
        QTest::newRow("the same rule again")
            << 4 << true << false << 1 << "Vantrel - Query Timed Out";
        QTest::newRow("names in a loop") << 4 << false << true << 1024 << "Vantrel - Query Sucsess";
        QTest::newRow("more rules than the bound")
            << 1100 << false << false << 1024 << "Vantrel - Query Sucsess";
    }
    void EndlessRuleChains() {
        QFETCH(int, ruleCount);
        QFETCH(bool, endless);
        QFETCH(bool, looping);
        QFETCH(int, mostRules);
        QFETCH(QString, caption);
        QueryWindow w;
        w.settings.timeout = 2;
        w.server.Config().rules = DemoRules(ruleCount);
        w.server.Faults().endlessRules = endless;
        w.server.Faults().loopingRules = looping;
        MainDialog& d = w.Open();
        w.PressQuery();
        QTRY_COMPARE(w.RuleList().topLevelItemCount(), mostRules);
        QTest::qWait(50);
        QCOMPARE(w.RuleList().topLevelItemCount(), mostRules);
        QVERIFY(w.server.Requests().size() <= mostRules + 2);
        d.OnTimerTick(QueryTimer);
        d.OnTimerTick(QueryTimer);
        QCOMPARE(d.windowTitle(), caption);
    }
};

VANTREL_TEST(TestHostileServers)
#include "TestHostileServers.moc"
