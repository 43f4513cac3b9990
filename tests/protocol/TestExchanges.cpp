#include "PacketBuffer.h"
#include "QuerySocket.h"
#include "ReplySink.h"
#include "ServerSweep.h"
#include "TestRegistry.h"
#include "TestWorld.h"
#include "master/MasterServerStandIn.h"
#include "standin/DemoConfig.h"
#include "standin/QuakeServerStandIn.h"

#include <QTest>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

const QByteArray ServerInfoRequest = QByteArray::fromHex("8000000c025155414b450003");

QByteArray RuleRequest(const QByteArray& name) {
    QByteArray r = QByteArray::fromHex("80000000") + '\x04' + name + '\0';
    r[3] = char(r.size());
    return r;
}

// A small client around the socket: parses every reply and asks for what follows, as the window
// does, and keeps what it read.
class Client final : public ReplySink {
public:
    explicit Client(const Clock& clock = SteadyClock::Instance()) : socket(buffer, clock) {
        socket.SetOwner(this);
    }
    bool Ask(const QString& host, quint16 port) {
        if (!socket.Create())
            return false;
        socket.SetTarget(host, port);
        return socket.SendServerInfoRequest();
    }

    void OnServerInfoReply(int n) override {
        servers.append(buffer.ParseServerInfo(n));
        socket.SendPlayerInfoRequests(servers.last().currentPlayers);
        socket.SendRuleInfoRequest({});
    }
    void OnPlayerInfoReply() override { players.append(buffer.ParsePlayerInfo()); }
    void OnRuleInfoReply() override {
        buffer.ParseRuleInfo(ruleName);
        if (ruleName.Empty()) {
            ++rulesEnded;
            return;
        }
        ++rules;
        socket.SendRuleInfoRequest(ruleName.View());
    }

    PacketBuffer buffer;
    QuerySocket socket;
    RuleName ruleName;
    QList<ServerInfo> servers;
    QList<PlayerInfo> players;
    int rules = 0;
    int rulesEnded = 0;
};

QString Ended(const HostPort& master, MasterOutcome outcome, int servers) {
    return HostPortText(master) +
           QStringLiteral(" ended %1 with %2").arg(int(outcome)).arg(servers);
}

// Everything a sweep signals, by the servers' and masters' addresses.
struct Recorder {
    explicit Recorder(ServerSweep& sweep) {
        QObject::connect(&sweep, &ServerSweep::Listed, &sweep, [this](const Endpoint& e, int i) {
            listed.append({e.ToString(), i});
        });
        QObject::connect(&sweep, &ServerSweep::Answered, &sweep,
                         [this](const Endpoint& e, const ServerInfo&, Ping ping) {
                             QVERIFY(!answered.contains(e.ToString()));
                             answered.insert(e.ToString(), ping);
                         });
        QObject::connect(&sweep, &ServerSweep::Silent, &sweep,
                         [this](const Endpoint& e) { silent.append(e.ToString()); });
        QObject::connect(&sweep, &ServerSweep::HostNotFound, &sweep,
                         [this](const QString& host) { notFound.append(host); });
        QObject::connect(&sweep, &ServerSweep::MasterEnded, &sweep,
                         [this](const HostPort& m, MasterOutcome outcome, int servers) {
                             ended.append(Ended(m, outcome, servers));
                         });
        QObject::connect(&sweep, &ServerSweep::Finished, &sweep, [this] { ++finished; });
    }
    int ListedBy(int namedIndex) const {
        return int(std::count_if(listed.begin(), listed.end(),
                                 [&](const auto& l) { return l.second == namedIndex; }));
    }

    QList<QPair<QString, int>> listed;
    QHash<QString, Ping> answered;
    QStringList silent;
    QStringList notFound;
    QStringList ended;
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

// The query socket and the browser's sweep against the stand-ins over loopback.
class TestExchanges : public QObject {
    Q_OBJECT

private slots:
    // The socket is bound to both address families, so a server with IPv6 only is asked too. A
    // name is looked up while the requests wait; they go out in the order they were made.
    void WholeExchange_data() {
        QTest::addColumn<QString>("host");
        QTest::newRow("IPv4") << "127.0.0.1";
        QTest::newRow("IPv6") << "::1";
        QTest::newRow("looked up") << "localhost";
    }
    void WholeExchange() {
        QFETCH(QString, host);
        QuakeServerStandIn server;
        server.Config().players = DemoPlayers(3);
        server.Config().rules = DemoRules(2);
        if (!server.Start(host == "::1" ? QHostAddress::LocalHostIPv6 : QHostAddress::LocalHost))
            QSKIP("no IPv6 loopback on this machine");
        Client client;
        QVERIFY(client.Ask(host, server.Port()));
        client.socket.SendRuleInfoRequest("early");
        QTRY_COMPARE(client.rulesEnded, 2);
        QTRY_COMPARE(client.players.size(), 3);

        QList<QByteArray> expected{ServerInfoRequest, RuleRequest("early")};
        for (char i = 0; i < 3; ++i)
            expected.append(QByteArray::fromHex("8000000603") + i);
        expected.append(RuleRequest({}));
        for (const StandInRule& rule : server.Config().rules)
            expected.append(RuleRequest(rule.name));
        QCOMPARE(server.Requests(), expected);
        QCOMPARE(client.servers.size(), 1);
        QCOMPARE(client.rules, 2);
        QVERIFY(client.socket.PingMeasured());
    }

    void PreferredAddress() {
        const QHostAddress v4("127.0.0.1"), v6("2001:db8::1"), loop6("::1");
        QCOMPARE(::PreferredAddress({loop6, v4}), v4);
        QCOMPARE(::PreferredAddress({v6, loop6}), v6);
        QVERIFY(::PreferredAddress({}).isNull());
    }

    // Timed by the injected clock, from the request to the first server-info reply; a copy that
    // comes later changes nothing.
    void PingFromTheFirstServerInfoReply_data() {
        QTest::addColumn<int>("sentAtMs");
        QTest::newRow("within a second") << 0;
        QTest::newRow("across a second") << 980;
    }
    void PingFromTheFirstServerInfoReply() {
        QFETCH(int, sentAtMs);
        ManualClock clock;
        clock.Advance(sentAtMs);
        QuakeServerStandIn server;
        server.Faults().duplicate = true;
        QVERIFY(server.Start());
        Client client(clock);
        QVERIFY(client.Ask(QStringLiteral("127.0.0.1"), server.Port()));
        clock.Advance(47);
        QTRY_COMPARE(client.servers.size(), 2);
        const double ping = client.socket.Elapsed().Seconds() * 1000.0;
        QVERIFY2(ping >= 46 && ping <= 47.001, qPrintable(QString::number(ping)));
        clock.Advance(1000);
        QTest::qWait(20);
        QCOMPARE(client.socket.Elapsed().Seconds() * 1000.0, ping);
    }

    void RepliesFromElsewhereAreIgnored() {
        QuakeServerStandIn server;
        server.Config().players = DemoPlayers(1);
        server.Faults().answerFromOtherSocket = true;
        QVERIFY(server.Start());
        Client client;
        QVERIFY(client.Ask(QStringLiteral("127.0.0.1"), server.Port()));
        QTRY_COMPARE(server.Requests().size(), 1);
        server.SendRawFromOther(QByteArray::fromHex("8000000585"), QHostAddress::LocalHost,
                                client.socket.LocalPort());
        QTest::qWait(50);
        QVERIFY(client.servers.isEmpty());
        QCOMPARE(client.rulesEnded, 0);
    }

    // Servers named and listed, one that answers only the second request and two silent, one of
    // them answering from elsewhere. Named twice and listed twice over, no server gets more than
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
        const QString unknown = UnresolvableHost();
        request.named = {{"localhost", world.servers[0]->Port()},
                         At(world.servers[1]->Address(), world.servers[1]->Port()),
                         {unknown, 26000},
                         At(world.servers[5]->Address(), world.servers[5]->Port()),
                         At(world.servers[5]->Address(), world.servers[5]->Port())};
        request.masters.append({unknown, 27950});
        QVERIFY(sweep.Start(request));
        QVERIFY(sweep.Running());
        QTRY_COMPARE(r.answered.size(), answering);
        QTRY_COMPARE(r.ended.size(), 2);
        QVERIFY(r.ended.contains(
            Ended(world.Master(), MasterOutcome::Done, int(world.master.Servers().size()))));
        QVERIFY(r.ended.contains(Ended({unknown, 27950}, MasterOutcome::Failed, 0)));
        QCOMPARE(r.notFound, QStringList{unknown});
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
        QCOMPARE(r.ended, QStringList{Ended(world.Master(), outcome, servers)});
        QCOMPARE(r.answered.size(), servers);
        QCOMPARE(r.finished, 1);
    }
};

VANTREL_TEST(TestExchanges)
#include "TestExchanges.moc"
