#include "QuerySocket.h"
#include "ReplySink.h"
#include "ServerSweep.h"
#include "TestRegistry.h"
#include "TestWorld.h"
#include "master/MasterServerStandIn.h"
#include "standin/DemoConfig.h"
#include "standin/QuakeServerStandIn.h"

#include <QTest>
#include <array>
#include <memory>
#include <vector>

namespace {

// A client around the socket that counts the replies of each kind it is handed.
class Client final : public ReplySink {
public:
    explicit Client(const Clock& clock = SteadyClock::Instance()) : socket(buffer, clock) {
        socket.SetOwner(this);
    }
    void OnServerInfoReply(int) override { ++replies[0]; }
    void OnPlayerInfoReply() override { ++replies[1]; }
    void OnRuleInfoReply() override { ++replies[2]; }

    PacketBuffer buffer;
    QuerySocket socket;
    std::array<int, 3> replies{};
};

// What a sweep signals, by the servers' addresses.
struct Recorder {
    explicit Recorder(ServerSweep& sweep) {
        QObject::connect(&sweep, &ServerSweep::Answered, &sweep,
                         [this](const Endpoint& e, const ServerInfo&, Ping ping) {
                             QVERIFY(!answered.contains(e.ToString()));
                             answered.insert(e.ToString(), ping);
                         });
        QObject::connect(&sweep, &ServerSweep::Silent, &sweep,
                         [this](const Endpoint& e) { silent.append(e.ToString()); });
        QObject::connect(&sweep, &ServerSweep::MasterEnded, &sweep,
                         [this](const HostPort&, MasterOutcome outcome, int servers) {
                             ended.append({outcome, servers});
                         });
        QObject::connect(&sweep, &ServerSweep::Finished, &sweep, [this] { ++finished; });
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
    ServerSweep::Request Request() const { return {{}, {Master()}, {"FTE-Quake"}}; }

    MasterServerStandIn master;
    std::vector<std::unique_ptr<QuakeServerStandIn>> servers;
};

const QByteArray ExtRequest("\xFF\xFF\xFF\xFFgetserversExt FTE-Quake 3 empty full ipv4 ipv6");
const QByteArray PlainRequest("\xFF\xFF\xFF\xFFgetservers FTE-Quake 3 empty full");

} // namespace

// The query socket and the browser's sweep against the stand-ins over loopback.
class TestExchanges : public QObject {
    Q_OBJECT

private slots:
    // The socket is bound to both address families, so a server with IPv6 only is asked too. A
    // name is looked up while the requests wait, and they go out in the order they were made. The
    // ping is timed by the injected clock, across a second, from the request leaving to the first
    // server-info reply; a copy that comes later changes nothing.
    void WholeExchange_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("ping");
        QTest::newRow("IPv4") << "127.0.0.1" << 47;
        QTest::newRow("IPv6") << "::1" << 47;
        QTest::newRow("looked up, timed from the send") << "localhost" << 0;
    }
    void WholeExchange() {
        QFETCH(QString, host);
        QFETCH(int, ping);
        QuakeServerStandIn server;
        server.Config().players = DemoPlayers(2);
        server.Faults().duplicate = true;
        if (!server.Start(host == "::1" ? QHostAddress::LocalHostIPv6 : QHostAddress::LocalHost))
            QSKIP("no IPv6 loopback on this machine");
        ManualClock clock;
        clock.Advance(980);
        Client client(clock);
        client.socket.SetTarget(host, server.Port());
        QVERIFY(client.socket.Create() && client.socket.SendServerInfoRequest() &&
                client.socket.SendRuleInfoRequest("early") &&
                client.socket.SendPlayerInfoRequests(2));
        clock.Advance(47);
        QTRY_COMPARE(client.replies, (std::array<int, 3>{2, 4, 2}));
        // Server info, the rule after "early", players 0 and 1.
        QCOMPARE(server.Requests().join().toHex(), "8000000c025155414b450003"
                                                   "8000000b046561726c7900"
                                                   "800000060300800000060301");
        const double measured = client.socket.Elapsed().Seconds() * 1000.0;
        QCOMPARE(qRound(measured), ping);
        // A name with addresses of both families is asked at its IPv4 one, where NetQuake servers
        // listen.
        QCOMPARE(PreferredAddress({QHostAddress::LocalHostIPv6, QHostAddress::LocalHost}),
                 QHostAddress(QHostAddress::LocalHost));
        clock.Advance(1000);
        QTest::qWait(20);
        QCOMPARE(client.socket.Elapsed().Seconds() * 1000.0, measured);
    }

    // Servers listed twice over, one named twice, one that answers only the second request, one
    // silent and one answering from elsewhere: each server answers once, and none gets more than
    // two datagrams, however long the refresh runs.
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
        ServerSweep sweep(clock);
        Recorder r(sweep);
        ServerSweep::Request request = world.Request();
        const HostPort silent{world.servers[5]->Address().toString(), world.servers[5]->Port()};
        request.named = {{"localhost", world.servers[0]->Port()}, silent, silent};
        QVERIFY(sweep.Start(request));
        QTRY_COMPARE(r.answered.size(), answering);
        QTRY_COMPARE(r.ended.size(), 1);
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

        clock.Advance(960);
        sweep.OnTick();
        QCOMPARE(r.silent, (QStringList{world.ServerText(5), world.ServerText(6)}));
        QCOMPARE(r.finished, 1);
        for (int step = 0; step < 5; ++step) {
            QTest::qWait(5);
            clock.Advance(500);
            sweep.OnTick();
        }
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
        QTRY_COMPARE(sweep.ServerCount(), servers);
        QTest::qWait(30);
        clock.Advance(2000);
        sweep.OnTick();
        QCOMPARE(world.master.Requests(), requests);
        QCOMPARE(r.ended, (QList<std::pair<MasterOutcome, int>>{{outcome, servers}}));
    }
};

VANTREL_TEST(TestExchanges)
#include "TestExchanges.moc"
