#include "PacketBuffer.h"
#include "QuerySocket.h"
#include "ReplySink.h"
#include "TestRegistry.h"
#include "TestWorld.h"
#include "standin/DemoConfig.h"
#include "standin/QuakeServerStandIn.h"

#include <QTest>
#include <array>

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

} // namespace

// The query socket against the stand-in over loopback.
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
};

VANTREL_TEST(TestExchanges)
#include "TestExchanges.moc"
