#include "ServerSweep.h"
#include "TestRegistry.h"
#include "TestWorld.h"
#include "master/MasterServerStandIn.h"
#include "standin/QuakeServerStandIn.h"

#include <QTest>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

const QString Unknown = UnresolvableHost();

// Everything a sweep signals, by the servers' and masters' addresses.
struct Recorder {
    explicit Recorder(ServerSweep& sweep) {
        QObject::connect(&sweep, &ServerSweep::Listed, &sweep, [this](const Endpoint& e, int i) {
            listed.append({e.ToString(), i});
        });
        QObject::connect(&sweep, &ServerSweep::Answered, &sweep,
                         [this](const Endpoint& e, const ServerInfo& info, Ping ping) {
                             QVERIFY(!answered.contains(e.ToString()));
                             answered.insert(e.ToString(), ping);
                             names.append(QByteArray(info.name.Data()));
                         });
        QObject::connect(&sweep, &ServerSweep::Silent, &sweep,
                         [this](const Endpoint& e) { silent.append(e.ToString()); });
        QObject::connect(&sweep, &ServerSweep::HostNotFound, &sweep,
                         [this](const QString& host) { notFound.append(host); });
        QObject::connect(&sweep, &ServerSweep::MasterEnded, &sweep,
                         [this](const HostPort& m, MasterOutcome outcome, int servers) {
                             ended.append({HostPortText(m), outcome, servers});
                         });
        QObject::connect(&sweep, &ServerSweep::Finished, &sweep, [this] { ++finished; });
    }
    int ListedBy(int namedIndex) const {
        return int(std::count_if(listed.begin(), listed.end(),
                                 [&](const auto& l) { return l.second == namedIndex; }));
    }

    struct Ended {
        QString master;
        MasterOutcome outcome;
        int servers;
    };
    QList<QPair<QString, int>> listed;
    QHash<QString, Ping> answered;
    QByteArrayList names;
    QStringList silent;
    QStringList notFound;
    QList<Ended> ended;
    int finished = 0;
};

HostPort At(const QHostAddress& address, quint16 port) {
    return {address.toString(), port};
}

// Stand-in servers on loopback, listed by a stand-in master.
struct World {
    explicit World(int count) {
        QVERIFY(master.Start());
        for (int i = 0; i < count; ++i) {
            servers.push_back(std::make_unique<QuakeServerStandIn>());
            servers.back()->Config().serverName = "server " + QByteArray::number(i);
            QVERIFY(servers.back()->Start());
            master.Servers().append({servers.back()->Address(), servers.back()->Port()});
        }
    }
    QString ServerText(int i) const {
        return Endpoint::Normalised(servers[i]->Address(), servers[i]->Port()).ToString();
    }
    HostPort Master() const { return At(master.Address(), master.Port()); }
    ServerSweep::Request Request() const { return {{}, {Master()}, {"FTE-Quake"}}; }

    MasterServerStandIn master;
    std::vector<std::unique_ptr<QuakeServerStandIn>> servers;
};

const QByteArray ExtRequest("\xFF\xFF\xFF\xFFgetserversExt FTE-Quake 3 empty full ipv4 ipv6");
const QByteArray PlainRequest("\xFF\xFF\xFF\xFFgetservers FTE-Quake 3 empty full");

} // namespace

class TestServerSweep : public QObject {
    Q_OBJECT

private slots:
    // Servers named and listed, two silent and one that answers only the second request; a host
    // that a named server and a master share is looked up once.
    void Refresh() {
        World world(7);
        world.servers[0]->Faults().duplicate = true;
        world.servers[5]->Faults().dropServerInfo = true;
        world.servers[6]->Faults().dropServerInfo = true;
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
        ServerSweep sweep(clock);
        Recorder r(sweep);
        ServerSweep::Request request = world.Request();
        request.named = {{"localhost", world.servers[0]->Port()},
                         At(world.servers[1]->Address(), world.servers[1]->Port()),
                         {Unknown, 26000}};
        request.masters.append({Unknown, 27950});
        QVERIFY(sweep.Start(request));
        QVERIFY(sweep.Running());
        QTRY_COMPARE(r.answered.size(), answering);
        QTRY_COMPARE(r.ended.size(), 2);
        std::sort(r.ended.begin(), r.ended.end(),
                  [](const auto& a, const auto& b) { return a.outcome < b.outcome; });
        QCOMPARE(r.ended[0].outcome, MasterOutcome::Done);
        QCOMPARE(r.ended[0].servers, world.master.Servers().size());
        QCOMPARE(r.ended[1].master, Unknown + ":27950");
        QCOMPARE(r.ended[1].outcome, MasterOutcome::Failed);
        QCOMPARE(r.notFound, QStringList{Unknown});
        QCOMPARE(r.ListedBy(-1), world.master.Servers().size());
        QTRY_COMPARE(r.ListedBy(0), 1);
        QCOMPARE(r.ListedBy(1), 1);
        QCOMPARE(sweep.ServerCount(), world.master.Servers().size());
        for (const Ping& ping : r.answered)
            QVERIFY(ping.milliseconds == 0 && !ping.afterResend);

        clock.Advance(1000);
        sweep.OnTick();
        clock.Advance(40);
        QTRY_COMPARE(r.answered.size(), answering + 1);
        const Ping resent = r.answered.value(world.ServerText(4));
        QCOMPARE(resent.milliseconds, 40);
        QVERIFY(resent.afterResend);
        QVERIFY(r.silent.isEmpty());
        QCOMPARE(r.finished, 0);

        clock.Advance(960);
        sweep.OnTick();
        QCOMPARE(r.silent, (QStringList{world.ServerText(5), world.ServerText(6)}));
        QCOMPARE(r.finished, 1);
        QVERIFY(!sweep.Running());
        QCOMPARE(sweep.AnsweredCount(), answering + 1);
        QVERIFY(r.names.contains("server 0"));
        for (int i = 0; i < 7; ++i)
            QCOMPARE(world.servers[i]->Requests().size(), i < 4 ? 1 : 2);
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
        QTest::newRow("garbage, duplicates and unusable entries")
            << 5 << MasterOutcome::Done << 3 << ext;
        QTest::newRow("cut entries") << 6 << MasterOutcome::Done << 1 << ext;
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
        f.garbageFirst = f.duplicates = f.zeroAddresses = fault == 5;
        f.truncatedEntries = fault == 6;
        world.master.EntriesPerDatagram() = 2;

        ManualClock clock;
        ServerSweep sweep(clock);
        Recorder r(sweep);
        QVERIFY(sweep.Start(world.Request()));
        QTRY_COMPARE(world.master.Requests().size(), 1);
        QTest::qWait(30);
        clock.Advance(1000);
        sweep.OnTick();
        QTRY_COMPARE(world.master.Requests().size(), requests.size());
        QTRY_COMPARE(r.ListedBy(-1), servers);
        QTest::qWait(30);
        clock.Advance(2000);
        sweep.OnTick();
        QCOMPARE(world.master.Requests(), requests);
        QCOMPARE(r.ended.size(), 1);
        QCOMPARE(r.ended[0].master, HostPortText(world.Master()));
        QCOMPARE(r.ended[0].outcome, outcome);
        QCOMPARE(r.ended[0].servers, servers);
        QCOMPARE(r.answered.size(), servers);
        QCOMPARE(r.finished, 1);
    }

    // Named twice, listed twice over, never answering or answering from elsewhere: still no more
    // than two datagrams each, however long the refresh runs.
    void TwoDatagramsAtMost() {
        World world(2);
        world.servers[0]->Faults().dropServerInfo = true;
        world.servers[1]->Faults().answerFromOtherSocket = true;
        world.master.Faults().duplicates = true;
        ManualClock clock;
        ServerSweep sweep(clock);
        Recorder r(sweep);
        ServerSweep::Request request = world.Request();
        for (int i = 0; i < 4; ++i)
            request.named.append(At(world.servers[i % 2]->Address(), world.servers[i % 2]->Port()));
        QVERIFY(sweep.Start(request));
        QTRY_COMPARE(r.ended.size(), 1);
        for (int step = 0; step < 20; ++step) {
            QTest::qWait(5);
            clock.Advance(500);
            sweep.OnTick();
        }
        QCOMPARE(r.listed.size(), 6);
        QCOMPARE(r.silent.size(), 2);
        QVERIFY(r.answered.isEmpty());
        QCOMPARE(r.finished, 1);
        for (const auto& server : world.servers)
            QCOMPARE(server->Requests().size(), 2);
    }

    // A receiver that stops the refresh at the first server hears nothing more of it.
    void StopEndsAtOnce() {
        World world(3);
        ManualClock clock;
        ServerSweep sweep(clock);
        Recorder r(sweep);
        connect(&sweep, &ServerSweep::Listed, &sweep, &ServerSweep::Stop);
        QVERIFY(sweep.Start(world.Request()));
        QTRY_COMPARE(r.listed.size(), 1);
        QVERIFY(!sweep.Running());
        QTest::qWait(30);
        clock.Advance(5000);
        sweep.OnTick();
        QCOMPARE(r.listed.size(), 1);
        QVERIFY(r.ended.isEmpty() && r.answered.isEmpty() && r.silent.isEmpty());
        QCOMPARE(r.finished, 0);
        for (const auto& server : world.servers)
            QVERIFY(server->Requests().isEmpty());
    }
};

VANTREL_TEST(TestServerSweep)
#include "TestServerSweep.moc"
