#include "ServerLists.h"
#include "ServerRefresh.h"
#include "ServerTableModel.h"
#include "TableRefresh.h"
#include "TestRegistry.h"
#include "TestWorld.h"
#include "master/MasterServerStandIn.h"
#include "standin/QuakeServerStandIn.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <memory>
#include <vector>

namespace {

// What a refresh signals, by the servers' addresses.
struct Recorder {
    explicit Recorder(ServerRefresh& refresh) {
        QObject::connect(&refresh, &ServerRefresh::Answered, &refresh,
                         [this](const Endpoint& e, const ServerInfo&, Ping ping) {
                             QVERIFY(!answered.contains(e.ToString()));
                             answered.insert(e.ToString(), ping);
                         });
        QObject::connect(&refresh, &ServerRefresh::Silent, &refresh,
                         [this](const Endpoint& e) { silent.append(e.ToString()); });
        QObject::connect(&refresh, &ServerRefresh::MasterEnded, &refresh,
                         [this](const HostPort&, MasterOutcome outcome, int servers) {
                             ended.append({outcome, servers});
                         });
        QObject::connect(&refresh, &ServerRefresh::Finished, &refresh, [this] { ++finished; });
    }

    QHash<QString, Ping> answered;
    QStringList silent;
    QList<std::pair<MasterOutcome, int>> ended;
    int finished = 0;
};

// Stand-in servers on loopback, listed by a stand-in master.
struct World {
    explicit World(int count) {
        QVERIFY(master.Start());
        for (int i = 0; i < count; ++i) {
            servers.push_back(std::make_unique<QuakeServerStandIn>());
            QVERIFY(servers.back()->Start());
            master.Servers().append({servers.back()->Address(), servers.back()->Port()});
        }
    }
    QString ServerText(int i) const {
        return Endpoint::Normalised(servers[i]->Address(), servers[i]->Port()).ToString();
    }
    HostPort Master() const { return {master.Address().toString(), master.Port()}; }
    ServerRefresh::Request Request() const { return {{}, {Master()}, {"FTE-Quake"}}; }

    MasterServerStandIn master;
    std::vector<std::unique_ptr<QuakeServerStandIn>> servers;
};

const QByteArray ExtRequest("\xFF\xFF\xFF\xFFgetserversExt FTE-Quake 3 empty full ipv4 ipv6");
const QByteArray PlainRequest("\xFF\xFF\xFF\xFFgetservers FTE-Quake 3 empty full");
} // namespace

// The browser's refresh against the stand-ins over loopback.
class TestRefresh : public QObject {
    Q_OBJECT

private slots:
    // Servers listed twice over, one named twice, one that answers only the second request, one
    // silent and one answering from elsewhere: each server answers once, and none gets more than
    // two of each request, however long the refresh runs.
    void Refresh() {
        World world(7);
        world.master.Faults().duplicates = true;
        world.servers[0]->Faults().duplicate = true;
        world.servers[5]->Faults().dropServerInfo = true;
        world.servers[6]->Faults().answerFromOtherSocket = true;
        QuakeServerStandIn& late = *world.servers[4];
        late.Faults().dropServerInfo = true;
        connect(
            &late, &QuakeServerStandIn::RequestReceived, &late,
            [&late] { late.Faults().dropServerInfo = false; }, Qt::QueuedConnection);
        QuakeServerStandIn six;
        const bool ipv6 = six.Start(QHostAddress::LocalHostIPv6);
        if (ipv6)
            world.master.Servers().append({six.Address(), six.Port()});
        const int answering = ipv6 ? 5 : 4;

        ManualClock clock;
        ServerRefresh refresh(clock);
        Recorder r(refresh);
        ServerRefresh::Request request = world.Request();
        const HostPort silent{world.servers[5]->Address().toString(), world.servers[5]->Port()};
        request.named = {{"localhost", world.servers[0]->Port()}, silent, silent};
        QVERIFY(refresh.Start(request));
        QTRY_COMPARE(r.answered.size(), answering);
        QTRY_COMPARE(r.ended.size(), 1);
        QCOMPARE(refresh.ServerCount(), world.master.Servers().size());
        for (const Ping& ping : r.answered)
            QVERIFY(ping.milliseconds == 0 && !ping.afterResend);

        clock.Advance(1000);
        refresh.OnTick();
        clock.Advance(40);
        QElapsedTimer waited;
        waited.start();
        QTRY_COMPARE(r.answered.size(), answering + 1);
        // Timed from its arrival, which may come before the event loop reads it.
        const Ping resent = r.answered.value(world.ServerText(4));
        QVERIFY(resent.milliseconds <= 40 && resent.milliseconds >= 39 - waited.elapsed());
        QVERIFY(resent.afterResend);

        clock.Advance(960);
        refresh.OnTick();
        QCOMPARE(r.silent, (QStringList{world.ServerText(5), world.ServerText(6)}));
        // The refresh ends only once "localhost" is looked up, which takes its time on a busy
        // machine; the server it names has answered already.
        QTRY_COMPARE(r.finished, 1);
        for (int step = 0; step < 5; ++step) {
            QTest::qWait(5);
            clock.Advance(500);
            refresh.OnTick();
        }
        for (int i = 0; i < 7; ++i)
            QCOMPARE(world.servers[i]->Requests().size(), i < 4 ? 2 : 4);
    }

    // A server that answers its status gives its players at once; one that answers only its
    // status is a row of its own, not silent; a plain NetQuake server is asked for each player
    // number, at most 64 of them and each at most twice.
    void PlayersOfServers() {
        World world(4);
        const QByteArray status = "\xFF\xFF\xFF\xFFstatusResponse\\hostname\\DP\\clients\\1"
                                  "\\sv_maxclients\\8\\modname\\ctf\\ver\\DP7\n3 25 1_2 \"Zed\"";
        for (int i : {0, 1}) {
            QuakeServerStandIn& s = *world.servers[i];
            connect(&s, &QuakeServerStandIn::RequestReceived, &s,
                    [&s, status](const QByteArray& r) {
                        if (r == StatusRequest())
                            s.SendRaw(status, s.LastSenderAddress(), s.LastSenderPort());
                    });
        }
        world.servers[1]->Faults().dropServerInfo = true;
        for (int i = 0; i < 70; ++i)
            world.servers[i < 3 ? 2 : 3]->Config().players.append(
                {"p" + QByteArray::number(i), 0, 0, 0, 0, {}});
        world.servers[2]->Faults().droppedPlayers = {1};
        ManualClock clock;
        ServerTableModel model;
        TableRefresh table(model, clock);
        ServerLists lists;
        lists.masters = {world.Master()};
        lists.games = {"FTE-Quake"};
        QVERIFY(table.Start(lists, true));
        const auto row = [&](int i) {
            for (int r = 0; r < model.rowCount(); ++r)
                if (model.Row(r).endpoint.ToString() == world.ServerText(i))
                    return model.Row(r);
            return ServerRow{};
        };
        QTRY_COMPARE(model.CurrentTally().answered, 4);
        QTRY_VERIFY(row(1).status && row(0).status && row(0).answer);
        clock.Advance(ServerPinger::StatusGraceMs);
        table.Network().OnTick();
        QTRY_VERIFY(row(3).status);
        clock.Advance(ServerPinger::ResendAfterMs);
        table.Network().OnTick();
        clock.Advance(ServerPinger::SilentAfterMs);
        QTest::qWait(20);
        table.Network().OnTick();
        QVERIFY(!table.Running());

        // Per server: whether NetQuake, its name, mod and engine, its players' count and last
        // name, and the server-info, status and player requests it was sent.
        const QStringList expected{"1 Vantrel stand-in ctf DP7 1 Zed 1 1 0",
                                   "0 DP ctf DP7 1 Zed 2 1 0", "1 Vantrel stand-in   2 p2 1 1 4",
                                   "1 Vantrel stand-in   64 p66 1 1 64"};
        for (int i = 0; i < 4; ++i) {
            const ServerRow r = row(i);
            QList<int> kinds{0, 0, 0};
            for (const QByteArray& request : world.servers[i]->Requests())
                ++kinds[request == StatusRequest() ? 1 : request.at(4) == '\x03' ? 2 : 0];
            QVERIFY(r.state == RowState::Answered && r.answer && r.status);
            QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9")
                         .arg(r.answer->netQuake)
                         .arg(r.answer->name, r.status->mod, r.status->engine)
                         .arg(r.status->players.size())
                         .arg(r.status->players.last().name)
                         .arg(kinds[0])
                         .arg(kinds[1])
                         .arg(kinds[2]),
                     expected[i]);
        }
    }

    // A reply that waits in the socket while the event loop is busy is timed from its arrival,
    // which Linux stamps on it.
    void PingFromArrival() {
        World world(1);
        ManualClock clock;
        connect(world.servers[0].get(), &QuakeServerStandIn::ReplySent, this, [&clock] {
            QThread::msleep(60);
            clock.Advance(60);
        });
        ServerRefresh refresh(clock);
        Recorder r(refresh);
        QVERIFY(refresh.Start(world.Request()));
        QTRY_COMPARE(r.answered.size(), 1);
        QCOMPARE_LT(r.answered.cbegin()->milliseconds, 30);
    }

    void MasterOutcomes_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<MasterOutcome>("outcome");
        QTest::addColumn<int>("servers");
        QTest::addColumn<QByteArrayList>("requests");
        const QByteArrayList ext{ExtRequest}, both{ExtRequest, PlainRequest};
        QTest::newRow("answers") << 0 << MasterOutcome::Done << 3 << ext;
        QTest::newRow("answers only the older request") << 1 << MasterOutcome::Done << 3 << both;
        QTest::newRow("never answers") << 2 << MasterOutcome::TimedOut << 0 << both;
        QTest::newRow("no end mark") << 3 << MasterOutcome::TimedOut << 3 << ext;
        QTest::newRow("answers from a stranger") << 4 << MasterOutcome::TimedOut << 0 << both;
        QTest::newRow("ends as FTE's master") << 5 << MasterOutcome::Done << 3 << ext;
    }
    void MasterOutcomes() {
        QFETCH(int, fault);
        QFETCH(MasterOutcome, outcome);
        QFETCH(int, servers);
        QFETCH(QByteArrayList, requests);
        World world(3);
        MasterFaults& f = world.master.Faults();
        f.ignoreExtended = fault == 1;
        f.silent = fault == 2;
        f.noEndMark = fault == 3;
        f.fromStranger = fault == 4;
        f.shortEndMark = fault == 5;
        world.master.EntriesPerDatagram() = 2;

        ManualClock clock;
        ServerTableModel model;
        TableRefresh table(model, clock);
        ServerRefresh& refresh = table.Network();
        Recorder r(refresh);
        QVERIFY(refresh.Start(world.Request()));
        QTRY_COMPARE(world.master.Requests().size(), 1);
        QTest::qWait(30);
        clock.Advance(1000);
        refresh.OnTick();
        QTRY_COMPARE(world.master.Requests().size(), requests.size());
        QTRY_COMPARE(refresh.ServerCount(), servers);
        QTest::qWait(30);
        clock.Advance(2000);
        refresh.OnTick();
        QCOMPARE(world.master.Requests(), requests);
        QCOMPARE(r.ended, (QList<std::pair<MasterOutcome, int>>{{outcome, servers}}));
        // The status line names a master that gave no list, not one whose list was cut short.
        QCOMPARE(table.StatusText().contains("no list from"), servers == 0);
    }
};

VANTREL_TEST(TestRefresh)
#include "TestRefresh.moc"
