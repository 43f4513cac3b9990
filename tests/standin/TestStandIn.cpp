#include "QuakeStat.h"
#include "TestRegistry.h"
#include "standin/DemoConfig.h"
#include "standin/QuakeServerStandIn.h"

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QProcess>
#include <QtTest>

Q_DECLARE_METATYPE(StandInConfig)
Q_DECLARE_METATYPE(StandInFaults)

// Every socket and window test talks to the stand-in, so an independent client must read from it
// what it was told to serve. The faults are checked here only where no other test sees them.
class TestStandIn : public QObject {
    Q_OBJECT

private slots:
    void QStatReadsTheConfiguredServer_data();
    void QStatReadsTheConfiguredServer();
    void FaultsChangeTheReplies_data();
    void FaultsChangeTheReplies();
};

void TestStandIn::QStatReadsTheConfiguredServer_data() {
    QTest::addColumn<StandInConfig>("config");

    StandInConfig empty;
    empty.rules = DemoRules(2);
    QTest::newRow("no players, own address") << empty;

    StandInConfig full;
    full.serverAddress = "10.0.0.5:26000";
    full.serverName = "Demo server";
    full.mapName = "dm6";
    full.players = DemoPlayers(16);
    full.players[1].address.clear();
    full.rules = DemoRules(20);
    QTest::newRow("full server, many rules") << full;
}

void TestStandIn::QStatReadsTheConfiguredServer() {
    VANTREL_FIND_QUAKESTAT(quakestat)
    QFETCH(StandInConfig, config);
    QuakeServerStandIn server(config);
    QVERIFY(server.Start());
    const QByteArray address = "127.0.0.1:" + QByteArray::number(server.Port());

    // -nnx prints names as the bytes the server sent. QStat waits out its retries even after a
    // complete answer, so a short retry interval keeps each run under a second.
    QProcess qstat;
    qstat.start(quakestat, {"-qs", address, "-P", "-R", "-raw", ",", "-nnx", "-interval", "0.25"});
    QTRY_VERIFY_WITH_TIMEOUT(qstat.state() == QProcess::NotRunning, 30000);
    QCOMPARE(qstat.exitStatus(), QProcess::NormalExit);
    const QByteArray output = qstat.readAllStandardOutput();
    QCOMPARE(server.Requests().value(0), QByteArray::fromHex("8000000c025155414b450003"));

    // Raw output: the server line, the rules line, one line per player, an empty line.
    const QByteArrayList lines = output.split('\n');
    const int playerCount = int(config.players.size());
    QVERIFY2(lines.size() >= 3 + playerCount, output.constData());
    const QByteArrayList info = lines[0].split(',');
    QCOMPARE(info.value(0), "QS");
    QCOMPARE(info.mid(2, 6),
             (QByteArrayList{config.serverName,
                             config.serverAddress.isEmpty() ? address : config.serverAddress, "3",
                             config.mapName, QByteArray::number(config.maxPlayers),
                             QByteArray::number(playerCount)}));

    QByteArrayList rules;
    for (const StandInRule& rule : config.rules)
        rules.append(rule.name + '=' + rule.value);
    QCOMPARE(lines[1], rules.join(','));

    for (int number = 0; number < playerCount; ++number) {
        const StandInPlayer& p = config.players[number];
        QByteArrayList fields = {QByteArray::number(number), p.name, p.address};
        for (int value : {p.frags, p.connectTime, p.shirt, p.pants})
            fields.append(QByteArray::number(value));
        QCOMPARE(lines[2 + number], fields.join(','));
    }
    QCOMPARE(lines[2 + playerCount], QByteArray());
}

// Requests and replies in hex, for a server "a" named "s" on map "m" with players P and Q and the
// rule r=1.
void TestStandIn::FaultsChangeTheReplies_data() {
    QTest::addColumn<StandInFaults>("faults");
    QTest::addColumn<QByteArrayList>("requests");
    QTest::addColumn<QByteArrayList>("expected");
    const QByteArray serverInfo = "8000000c025155414b450003", ruleAfterR = "80000007047200",
                     player0 = "800000060300", player1 = "800000060301";
    const QByteArray info = "8000000e83610073006d00021003", end = "8000000585",
                     p0 = "80000016840050004d000000fdffffff2c0100007800",
                     p1 = "800000158401510000000000000000000000000000",
                     garbage = "ffffffff676172626167650a";
    StandInFaults truncated, unterminated, oversized, garbageFirst, burst;
    truncated.truncateTo = 6;
    unterminated.unterminated = true;
    oversized.oversized = true;
    garbageFirst.garbageFirst = garbageFirst.duplicate = true;
    burst.delayMs = 150;
    burst.reversePlayerBurst = true;

    QTest::newRow("truncated, header kept")
        << truncated << QByteArrayList{serverInfo} << QByteArrayList{"8000000e8361"};
    QTest::newRow("unterminated") << unterminated << QByteArrayList{serverInfo, player0, ruleAfterR}
                                  << QByteArrayList{"8000000d83610073006d021003",
                                                    "80000015840050004d000000fdffffff2c01000078",
                                                    end};
    QTest::newRow("oversized") << oversized << QByteArrayList{serverInfo, ruleAfterR}
                               << QByteArrayList{"8000014083610073006d" +
                                                     QByteArray(306, 'x').toHex() + "00021003",
                                                 "8000014085" + QByteArray(315, '\0').toHex()};
    QTest::newRow("garbage before each copy")
        << garbageFirst << QByteArrayList{ruleAfterR} << QByteArrayList{garbage, end, garbage, end};
    QTest::newRow("delayed burst, players reversed in place")
        << burst << QByteArrayList{ruleAfterR, player0, player1, serverInfo}
        << QByteArrayList{end, p1, p0, info};
}

void TestStandIn::FaultsChangeTheReplies() {
    QFETCH(StandInFaults, faults);
    QFETCH(QByteArrayList, requests);
    QFETCH(QByteArrayList, expected);
    StandInConfig config;
    config.serverAddress = "a";
    config.serverName = "s";
    config.mapName = "m";
    config.players = {{"P", 4, 13, -3, 300, "x"}, {"Q", 0, 0, 0, 0, ""}};
    config.rules = {{"r", "1"}};
    QuakeServerStandIn server(config);
    server.Faults() = faults;
    QVERIFY(server.Start());
    QUdpSocket client;
    QVERIFY(client.bind(QHostAddress::LocalHost, 0));
    QByteArrayList received;
    connect(&client, &QUdpSocket::readyRead, this, [&] {
        while (client.hasPendingDatagrams())
            received.append(client.receiveDatagram().data().toHex());
    });

    // Sent without a turn of the event loop, the requests reach the server in one read.
    QElapsedTimer clock;
    clock.start();
    for (const QByteArray& request : requests)
        client.writeDatagram(QByteArray::fromHex(request), QHostAddress::LocalHost, server.Port());
    QTRY_VERIFY(received.size() >= expected.size());
    QVERIFY(clock.elapsed() >= faults.delayMs);
    // A datagram sent after the replies arrives after them, so nothing else came.
    server.SendRaw("end", QHostAddress::LocalHost, client.localPort());
    QTRY_COMPARE(received.value(expected.size()), QByteArray("656e64"));
    QCOMPARE(received, expected + QByteArrayList{"656e64"});
}

VANTREL_TEST(TestStandIn)
#include "TestStandIn.moc"
