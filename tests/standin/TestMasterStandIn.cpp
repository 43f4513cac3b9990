#include "QuakeStat.h"
#include "TestRegistry.h"
#include "master/MasterServerStandIn.h"
#include "standin/QuakeServerStandIn.h"

#include <QNetworkDatagram>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

Q_DECLARE_METATYPE(MasterFaults)

// The browser's tests trust the master stand-in, so an independent client (QStat) must read from
// it the servers it was told to list, and its answers are pinned down byte by byte here.
class TestMasterStandIn : public QObject {
    Q_OBJECT

private slots:
    void QStatListsTheServers_data();
    void QStatListsTheServers();
    void AnswersOnTheWire_data();
    void AnswersOnTheWire();
};

namespace {

QByteArray Ask(const QByteArray& text) {
    return "\xFF\xFF\xFF\xFF" + text;
}

const QByteArray nqmGameType = R"(gametype NQM new extend Q3M
    name = NetQuake Master
    template var = NQMASTER
    default port = 27950
    master packet = \377\377\377\377getservers FTE-Quake %s %s
    master protocol = 3
    master query = empty full
    master for gametype = QS
end
)";

} // namespace

void TestMasterStandIn::QStatListsTheServers_data() {
    QTest::addColumn<QByteArray>("gameName");
    QTest::addColumn<int>("serverCount");
    QTest::addColumn<int>("perDatagram");
    // QStat reads an entry only when more bytes follow it in the datagram, so it misses the last
    // entry of every datagram before the one that ends with the end mark; from dpmaster too.
    QTest::addColumn<QList<int>>("missedByQStat");

    QTest::newRow("one datagram") << QByteArray("FTE-Quake") << 3 << 72 << QList<int>{};
    QTest::newRow("three datagrams") << QByteArray("FTE-Quake") << 10 << 4 << QList<int>{3, 7};
    QTest::newRow("another game") << QByteArray("DarkPlaces-Quake") << 3 << 72
                                  << QList<int>{0, 1, 2};
}

void TestMasterStandIn::QStatListsTheServers() {
    VANTREL_FIND_QUAKESTAT(quakestat)
    QFETCH(QByteArray, gameName);
    QFETCH(int, serverCount);
    QFETCH(int, perDatagram);
    QFETCH(QList<int>, missedByQStat);

    MasterServerStandIn master;
    master.GameName() = gameName;
    master.EntriesPerDatagram() = perDatagram;
    QVERIFY(master.Start());
    std::vector<std::unique_ptr<QuakeServerStandIn>> servers;
    QByteArrayList expected;
    for (int i = 0; i < serverCount; ++i) {
        StandInConfig config;
        config.serverName = "Server " + QByteArray::number(i);
        servers.push_back(std::make_unique<QuakeServerStandIn>(config));
        QVERIFY(servers.back()->Start());
        master.Servers().append({QHostAddress::LocalHost, servers.back()->Port()});
        // IPv6 servers are for getserversExt only: listed among the others, they must not reach
        // QStat, which asks with getservers.
        if (i == 0)
            master.Servers().append({{QHostAddress("::1"), 26000}, {QHostAddress("::1"), 26001}});
        if (!missedByQStat.contains(i))
            expected.append("127.0.0.1:" + QByteArray::number(servers.back()->Port()) + ',' +
                            config.serverName);
    }

    QTemporaryDir folder;
    QFile config(folder.filePath("nqm.cfg"));
    QVERIFY(config.open(QIODevice::WriteOnly) && config.write(nqmGameType) > 0);
    config.close();
    // QStat does not stop at the end mark but waits out its master interval; short intervals
    // keep each run well under a second.
    QProcess qstat;
    qstat.start(quakestat,
                {"-cfg", config.fileName(), "-nqm", "127.0.0.1:" + QString::number(master.Port()),
                 "-raw", ",", "-interval", "0.2", "-mi", "0.1", "-retry", "2"});
    QTRY_VERIFY_WITH_TIMEOUT(qstat.state() == QProcess::NotRunning, 30000);
    QCOMPARE(qstat.exitStatus(), QProcess::NormalExit);
    QCOMPARE(master.Requests(), QList<QByteArray>{Ask("getservers FTE-Quake 3 empty full")});

    // Raw output: the master's line with its server count, then one line per server.
    QByteArrayList listed;
    int masterCount = -1;
    for (const QByteArray& line : qstat.readAllStandardOutput().split('\n')) {
        const QByteArrayList fields = line.split(',');
        if (fields[0] == "NQM")
            masterCount = fields.value(2).toInt();
        else if (fields[0] == "QS")
            listed.append(fields.value(1) + ',' + fields.value(2));
    }
    std::sort(listed.begin(), listed.end());
    std::sort(expected.begin(), expected.end());
    QCOMPARE(listed, expected);
    QCOMPARE(masterCount, int(expected.size()));
}

// Servers A (127.0.0.1:26001), B (127.0.0.2:26002) and C ([::1]:26003), in hex.
void TestMasterStandIn::AnswersOnTheWire_data() {
    QTest::addColumn<MasterFaults>("faults");
    QTest::addColumn<int>("perDatagram");
    QTest::addColumn<QByteArrayList>("requests");
    QTest::addColumn<QByteArrayList>("expected");
    const QByteArray ext = Ask("getserversExt FTE-Quake 3 empty full ipv4 ipv6"),
                     plain = Ask("getservers FTE-Quake 3 empty full");
    const QByteArray x = "ffffffff67657473657276657273457874526573706f6e7365",
                     h = "ffffffff67657473657276657273526573706f6e7365", eot = "5c454f54000000",
                     a = "5c7f0000016591", b = "5c7f0000026592",
                     c = "2f000000000000000000000000000000016593";
    MasterFaults none, truncated, noEnd, garbage, twice, zeros, endless, extIgnored, silent,
        stranger;
    truncated.truncatedEntries = noEnd.noEndMark = garbage.garbageFirst = twice.duplicates = true;
    zeros.zeroAddresses = extIgnored.ignoreExtended = silent.silent = stranger.fromStranger = true;
    endless.endlessDatagrams = 2;

    QTest::newRow("extended, both families")
        << none << 72 << QByteArrayList{ext} << QByteArrayList{x + a + b + c + eot};
    QTest::newRow("extended, IPv6 asked")
        << none << 72 << QByteArrayList{Ask("getserversExt FTE-Quake 3 ipv6")}
        << QByteArrayList{x + c + eot};
    QTest::newRow("plain, IPv4 only, full datagram")
        << none << 2 << QByteArrayList{plain} << QByteArrayList{h + a + b + eot};
    QTest::newRow("several datagrams")
        << none << 2 << QByteArrayList{ext} << QByteArrayList{x + a + b, x + c + eot};
    QTest::newRow("another game, protocol or anonymous: empty lists")
        << none << 72
        << QByteArrayList{Ask("getserversExt DarkPlaces-Quake 3 empty full ipv4 ipv6"),
                          Ask("getservers FTE-Quake 15 empty full"), Ask("getservers 68 empty")}
        << QByteArrayList{x + eot, h + eot, h + eot};
    QTest::newRow("unreadable: no answer")
        << none << 72
        << QByteArrayList{Ask("getservers FTE-Quake"), Ask("getserversExt 3 empty"),
                          Ask("getservers"), "getservers FTE-Quake 3"}
        << QByteArrayList{};
    QTest::newRow("truncated, end mark apart")
        << truncated << 2 << QByteArrayList{ext}
        << QByteArrayList{x + a + "5c7f0000", x + "2f000000000000000000", x + eot};
    QTest::newRow("no end mark") << noEnd << 72 << QByteArrayList{plain}
                                 << QByteArrayList{h + a + b};
    QTest::newRow("garbage first") << garbage << 72 << QByteArrayList{plain}
                                   << QByteArrayList{"ffffffff676172626167650a", h + a + b + eot};
    QTest::newRow("duplicates") << twice << 72 << QByteArrayList{plain}
                                << QByteArrayList{h + a + b + a + b + eot};
    QTest::newRow("zero, multicast and broadcast addresses, port 0")
        << zeros << 72 << QByteArrayList{ext}
        << QByteArrayList{x + "5c000000006590" + "5c7f0000010000" + "5ce00000016590" +
                          "5cffffffff6590" + "2f" + QByteArray(32, '0') + "6590" + "2fff02" +
                          QByteArray(26, '0') + "016590" + "2f" + QByteArray(30, '0') + "010000" +
                          a + b + c + eot};
    QTest::newRow("endless, bounded")
        << endless << 2 << QByteArrayList{plain}
        << QByteArrayList{h + a + b, h + "5c7f0100006590" + "5c7f0100016590",
                          h + "5c7f0100026590" + "5c7f0100036590"};
    QTest::newRow("extended ignored")
        << extIgnored << 72 << QByteArrayList{ext, plain} << QByteArrayList{h + a + b + eot};
    QTest::newRow("silent") << silent << 72 << QByteArrayList{ext, plain} << QByteArrayList{};
    QTest::newRow("from a stranger")
        << stranger << 72 << QByteArrayList{plain} << QByteArrayList{h + a + b + eot};
}

void TestMasterStandIn::AnswersOnTheWire() {
    QFETCH(MasterFaults, faults);
    QFETCH(int, perDatagram);
    QFETCH(QByteArrayList, requests);
    QFETCH(QByteArrayList, expected);
    MasterServerStandIn master;
    master.Servers() = {{QHostAddress("127.0.0.1"), 26001},
                        {QHostAddress("127.0.0.2"), 26002},
                        {QHostAddress("::1"), 26003}};
    master.EntriesPerDatagram() = perDatagram;
    master.Faults() = faults;
    QVERIFY(master.Start());
    QUdpSocket client;
    QVERIFY(client.bind(QHostAddress::LocalHost, 0));
    QByteArrayList received;
    QList<quint16> senders;
    connect(&client, &QUdpSocket::readyRead, this, [&] {
        while (client.hasPendingDatagrams()) {
            const QNetworkDatagram datagram = client.receiveDatagram();
            received.append(datagram.data().toHex());
            senders.append(quint16(datagram.senderPort()));
        }
    });
    for (const QByteArray& request : requests)
        client.writeDatagram(request, QHostAddress::LocalHost, master.Port());
    QTRY_COMPARE(master.Requests(), requests);

    // The answer to a later request, for a list no row has, marks the end.
    master.Faults() = {};
    master.Servers() = {{QHostAddress("127.0.0.9"), 9}};
    const QByteArray marker =
        "ffffffff67657473657276657273526573706f6e73655c7f00000900095c454f54000000";
    client.writeDatagram(Ask("getservers FTE-Quake 3"), QHostAddress::LocalHost, master.Port());
    QTRY_COMPARE(received.value(received.size() - 1), marker);
    QCOMPARE(received, expected + QByteArrayList{marker});
    const quint16 from = faults.fromStranger ? master.StrangerPort() : master.Port();
    QCOMPARE(senders, QList<quint16>(expected.size(), from) + QList<quint16>{master.Port()});
}

VANTREL_TEST(TestMasterStandIn)
#include "TestMasterStandIn.moc"
