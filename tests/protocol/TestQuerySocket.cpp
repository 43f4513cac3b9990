#include "PacketBuffer.h"
#include "QuerySocket.h"
#include "ReplySink.h"
#include "TestRegistry.h"
#include "TestWorld.h"
#include "standin/DemoConfig.h"
#include "standin/QuakeServerStandIn.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// A small client around the socket: parses every reply and asks for what follows, as the window
// does, and keeps what it read.
class Client final : public ReplySink {
public:
    explicit Client(const Clock& clock = SteadyClock::Instance()) : socket(buffer, clock) {
        socket.SetOwner(this);
    }

    void OnServerInfoReply(int n) override {
        servers.append(buffer.ParseServerInfo(n));
        socket.SendPlayerInfoRequests(servers.last().currentPlayers);
        socket.SendRuleInfoRequest({});
    }
    void OnPlayerInfoReply() override { players.append(buffer.ParsePlayerInfo()); }
    void OnRuleInfoReply() override {
        const RuleValue value = buffer.ParseRuleInfo(ruleName);
        if (ruleName.Empty()) {
            ++rulesEnded;
            return;
        }
        rules.append({QByteArray(ruleName.Data()), QByteArray(value.Data())});
        socket.SendRuleInfoRequest(ruleName.View());
    }

    PacketBuffer buffer;
    QuerySocket socket;
    RuleName ruleName;
    QList<ServerInfo> servers;
    QList<PlayerInfo> players;
    QList<StandInRule> rules;
    int rulesEnded = 0;
};

QByteArray RuleRequest(const QByteArray& name) {
    QByteArray r = QByteArray::fromHex("80000000") + '\x04' + name + '\0';
    r[3] = char(r.size());
    return r;
}

QList<QByteArray> ExpectedRequests(int players, const QList<StandInRule>& rules) {
    QList<QByteArray> expected{QByteArray::fromHex("8000000c025155414b450003")};
    for (int i = 0; i < players; ++i)
        expected.append(QByteArray::fromHex("8000000603") + char(i));
    expected.append(RuleRequest({}));
    for (const StandInRule& rule : rules)
        expected.append(RuleRequest(rule.name));
    return expected;
}

} // namespace

class TestQuerySocket : public QObject {
    Q_OBJECT

private slots:
    void WholeExchange_data() {
        QTest::addColumn<int>("playerCount");
        QTest::addColumn<int>("ruleCount");
        QTest::newRow("empty server") << 0 << 0;
        QTest::newRow("three players, no rules") << 3 << 0;
        QTest::newRow("sixteen players, forty rules") << 16 << 40;
    }
    void WholeExchange() {
        QFETCH(int, playerCount);
        QFETCH(int, ruleCount);
        QuakeServerStandIn server;
        server.Config().players = DemoPlayers(playerCount);
        server.Config().rules = DemoRules(ruleCount);
        QVERIFY(server.Start());

        Client client;
        QVERIFY(client.socket.Create());
        client.socket.SetTarget(QStringLiteral("127.0.0.1"), server.Port());
        client.socket.SendServerInfoRequest();
        QTRY_COMPARE(client.rulesEnded, 1);
        QTRY_COMPARE(client.players.size(), playerCount);

        QCOMPARE(server.Requests(), ExpectedRequests(playerCount, server.Config().rules));
        QCOMPARE(client.servers.size(), 1);
        QCOMPARE(QByteArray(client.servers[0].name.Data()), server.Config().serverName);
        QCOMPARE(int(client.servers[0].currentPlayers), playerCount);
        for (const PlayerInfo& p : client.players) {
            const StandInPlayer& sent = server.Config().players[p.number];
            QCOMPARE(QByteArray(p.name.Data()), sent.name);
            QCOMPARE(int(p.shirt), sent.shirt);
            QCOMPARE(p.frags, sent.frags);
        }
        QCOMPARE(client.rules.size(), ruleCount);
        QVERIFY(client.socket.PingMeasured());
    }

    // The lookup runs while requests wait; they go out in the order they were made.
    void NameIsLookedUpOnce() {
        QuakeServerStandIn server;
        server.Config().players = DemoPlayers(2);
        QVERIFY(server.Start());
        Client client;
        QVERIFY(client.socket.Create());
        client.socket.SetTarget(QStringLiteral("localhost"), server.Port());
        client.socket.SendServerInfoRequest();
        client.socket.SendRuleInfoRequest("early");
        QTRY_COMPARE(client.rulesEnded, 2);
        QCOMPARE(server.Requests().first(), QByteArray::fromHex("8000000c025155414b450003"));
        QCOMPARE(server.Requests().at(1), RuleRequest("early"));
    }

    void UnknownHostSendsNothing() {
        Client client;
        QVERIFY(client.socket.Create());
        QSignalSpy notFound(&client.socket, &QuerySocket::HostNotFound);
        client.socket.SetTarget(UnresolvableHost(), 26000);
        client.socket.SendServerInfoRequest();
        QTRY_COMPARE(notFound.count(), 1);
        QVERIFY(client.servers.isEmpty());
    }

    void Ipv6Server() {
        QuakeServerStandIn server;
        if (!server.Start(QHostAddress::LocalHostIPv6))
            QSKIP("no IPv6 loopback on this machine");
        Client client;
        QVERIFY(client.socket.Create());
        client.socket.SetTarget(QStringLiteral("::1"), server.Port());
        client.socket.SendServerInfoRequest();
        QTRY_COMPARE(client.rulesEnded, 1);
    }

    void PreferredAddress_data() {
        QTest::addColumn<QStringList>("addresses");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("IPv4 preferred") << QStringList{"::1", "127.0.0.1"} << "127.0.0.1";
        QTest::newRow("IPv6 only") << QStringList{"2001:db8::1", "::1"} << "2001:db8::1";
        QTest::newRow("none") << QStringList{} << QString();
    }
    void PreferredAddress() {
        QFETCH(QStringList, addresses);
        QFETCH(QString, chosen);
        QList<QHostAddress> list;
        for (const QString& a : addresses)
            list.append(QHostAddress(a));
        const QHostAddress preferred = ::PreferredAddress(list);
        QCOMPARE(preferred.isNull() ? QString() : preferred.toString(), chosen);
    }

    void PingFromTheFirstServerInfoReply() {
        ManualClock clock;
        QuakeServerStandIn server;
        server.Faults().duplicate = true;
        QVERIFY(server.Start());
        Client client(clock);
        QVERIFY(client.socket.Create());
        client.socket.SetTarget(QStringLiteral("127.0.0.1"), server.Port());
        client.socket.SendServerInfoRequest();
        clock.now = TimeStamp(1000, 47);
        QTRY_COMPARE(client.servers.size(), 2);
        const double ping = client.socket.Elapsed().Seconds() * 1000.0;
        QVERIFY2(ping >= 46 && ping <= 47.001, qPrintable(QString::number(ping)));
        clock.now = TimeStamp(1001, 0);
        QTest::qWait(20);
        QCOMPARE(client.socket.Elapsed().Seconds() * 1000.0, ping);
    }

    void RepliesFromElsewhereAreIgnored() {
        QuakeServerStandIn server;
        server.Config().players = DemoPlayers(1);
        server.Faults().answerFromOtherSocket = true;
        QVERIFY(server.Start());
        Client client;
        QVERIFY(client.socket.Create());
        client.socket.SetTarget(QStringLiteral("127.0.0.1"), server.Port());
        client.socket.SendServerInfoRequest();
        QTRY_COMPARE(server.Requests().size(), 1);
        server.SendRawFromOther(QByteArray::fromHex("8000000585"), QHostAddress::LocalHost,
                                client.socket.LocalPort());
        QTest::qWait(50);
        QVERIFY(client.servers.isEmpty());
        QCOMPARE(client.rulesEnded, 0);
    }

    void BrokenRepliesAreSurvived_data() {
        QTest::addColumn<int>("fault");
        QTest::newRow("truncated") << 0;
        QTest::newRow("unterminated") << 1;
        QTest::newRow("oversized") << 2;
        QTest::newRow("garbage first") << 3;
    }
    void BrokenRepliesAreSurvived() {
        QFETCH(int, fault);
        QuakeServerStandIn server;
        server.Config().players = DemoPlayers(3);
        server.Config().rules = DemoRules(5);
        StandInFaults& f = server.Faults();
        f.truncateTo = fault == 0 ? 9 : -1;
        f.unterminated = fault == 1;
        f.oversized = fault == 2;
        f.garbageFirst = fault == 3;
        QVERIFY(server.Start());
        Client client;
        QVERIFY(client.socket.Create());
        client.socket.SetTarget(QStringLiteral("127.0.0.1"), server.Port());
        client.socket.SendServerInfoRequest();
        QTRY_VERIFY(!client.servers.isEmpty());
        QTest::qWait(50);
        for (const ServerInfo& s : client.servers) {
            QVERIFY(s.name.Length() <= 63);
            QVERIFY(s.map.Length() <= 63);
        }
        for (const PlayerInfo& p : client.players)
            QVERIFY(p.name.Length() <= 51);
    }
};

VANTREL_TEST(TestQuerySocket)
#include "TestQuerySocket.moc"
