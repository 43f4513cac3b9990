#include "TestRegistry.h"
#include "master/MasterServerStandIn.h"
#include "standin/DemoConfig.h"
#include "standin/PlayerChurn.h"
#include "standin/QuakeServerStandIn.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <memory>

namespace {

// QStat's raw output, its fields split by commas, line by line. QStat waits out its retries even
// after a complete answer, so the callers give it short intervals.
QByteArrayList QStat(const QStringList& arguments) {
    QProcess qstat;
    qstat.start(QStringLiteral("quakestat"), arguments + QStringList{"-raw", ","});
    const QDeadlineTimer deadline(30000);
    while (qstat.state() != QProcess::NotRunning && !deadline.hasExpired())
        QTest::qWait(10);
    return qstat.readAllStandardOutput().split('\n');
}

// The datagrams that come back for the requests, in order, up to the server-info reply that the
// stand-in sends last, so that a request it ignores shows as no datagram without a wait.
QList<QByteArray> Exchange(quint16 port, const QList<QByteArray>& requests) {
    QUdpSocket client;
    for (const QByteArray& request :
         requests + QList<QByteArray>{QByteArray("\x80\x00\x00\x0c\x02QUAKE\x00\x03", 12)})
        client.writeDatagram(request, QHostAddress::LocalHost, port);
    QList<QByteArray> answers;
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired() && (answers.isEmpty() || answers.last()[0] != '\x80')) {
        QTest::qWait(1);
        while (client.hasPendingDatagrams())
            answers.append(client.receiveDatagram().data());
    }
    if (!answers.isEmpty())
        answers.removeLast();
    return answers;
}

} // namespace

// The socket, refresh and window tests trust the stand-ins, so an independent client (QStat) must
// read from them what they were told to serve; the tests of the protocol against the stand-ins
// then hold both sides to it.
class TestStandIns : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!QStandardPaths::findExecutable(QStringLiteral("quakestat")).isEmpty())
            return;
        if (qEnvironmentVariableIsSet("CI"))
            QFAIL("quakestat (Debian package qstat) is missing");
        QSKIP("quakestat (Debian package qstat) is not installed");
    }

    // Sixteen players, one without an address, and twenty rules; the server's own address as a
    // NetQuake server reports it.
    void QStatReadsTheServer() {
        StandInConfig config;
        config.serverName = "Demo server";
        config.mapName = "dm6";
        config.players = DemoPlayers(16);
        config.players[1].address.clear();
        config.rules = DemoRules(20);
        QuakeServerStandIn server(config);
        QVERIFY(server.Start());
        const QByteArray address = "127.0.0.1:" + QByteArray::number(server.Port());
        // -nnx prints names as the bytes the server sent.
        const QByteArrayList lines =
            QStat({"-qs", address, "-P", "-R", "-nnx", "-interval", "0.25"});

        // The server line, the rules line, one line per player, an empty line.
        const int playerCount = int(config.players.size());
        QCOMPARE(lines.size(), 4 + playerCount);
        QCOMPARE(lines[0].split(',').mid(0, 8),
                 (QByteArrayList{"QS", address, config.serverName, address, "3", config.mapName,
                                 QByteArray::number(config.maxPlayers),
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
    }

    // The status answers byte for byte as QuakeSpasm-Spiked writes them: the colour byte's low
    // nibble first, the name as it stands; a plain server and an unknown command get nothing.
    void StatusAnswers_data() {
        QTest::addColumn<bool>("answersStatus");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("answer");
        const QByteArray pairs =
            "\\gamename\\FTE-Quake\\protocol\\3\\ver\\QSS 0.96.3\\nqprotocol\\666"
            "\\modname\\ctf\\mapname\\dm6\\deathmatch\\1\\teamplay\\0\\hostname\\Dm"
            "\\clients\\2\\sv_maxclients\\8";
        QTest::newRow("status") << true << QByteArray("\xff\xff\xff\xffgetstatus")
                                << "\xff\xff\xff\xffstatusResponse\n" + pairs +
                                       "\n12 48 4_13 \"Al\"i\xe3"
                                       "e\"\n-1 0 0_0 \"\"";
        QTest::newRow("info, challenge")
            << true << QByteArray("\xff\xff\xff\xffgetinfo  7 x")
            << "\xff\xff\xff\xffinfoResponse\n" + pairs + "\\challenge\\7 x";
        QTest::newRow("plain server")
            << false << QByteArray("\xff\xff\xff\xffgetstatus") << QByteArray();
        QTest::newRow("unknown command")
            << true << QByteArray("\xff\xff\xff\xffgetstatusx") << QByteArray();
    }
    void StatusAnswers() {
        QFETCH(bool, answersStatus);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, answer);
        StandInConfig config;
        config.answersStatus = answersStatus;
        config.serverName = "Dm";
        config.mapName = "dm6";
        config.modName = "ctf";
        config.maxPlayers = 8;
        config.rules = DemoRules(4);
        config.players = {{"Al\"i\xe3"
                           "e",
                           13,
                           4,
                           12,
                           0,
                           {},
                           48},
                          {"", 0, 0, -1, 0, {}, 0}};
        QuakeServerStandIn server(config);
        QVERIFY(server.Start());
        QCOMPARE(Exchange(server.Port(), {request}),
                 answer.isEmpty() ? QList<QByteArray>() : QList<QByteArray>{answer});
    }

    // Each status request takes the next hostile answer; the long one arrives whole.
    void HostileStatusInTurn() {
        using StandIn::HostileStatus;
        QuakeServerStandIn server;
        server.Config().answersStatus = true;
        server.Faults().hostileStatus = {HostileStatus::ManyPlayers, HostileStatus::Overlong};
        QVERIFY(server.Start());
        const QByteArray request = "\xff\xff\xff\xffgetstatus";
        const QList<QByteArray> answers = Exchange(server.Port(), {request, request, request});
        QCOMPARE(answers.size(), 3);
        QCOMPARE(answers[0].count('\n'), 1 + StandIn::HostilePlayerLines);
        QCOMPARE(answers[1].size(), StandIn::OverlongLength);
        QCOMPARE(answers[2], answers[0]);
    }

    // Players come and go within the slots, the same way for the same seed.
    void ChurnStaysInTheSlots() {
        QuakeServerStandIn first, second;
        first.Config().maxPlayers = second.Config().maxPlayers = 3;
        PlayerChurn churnFirst(first, 7), churnSecond(second, 7);
        QSet<qsizetype> counts;
        for (int step = 0; step < 40; ++step) {
            churnFirst.Step();
            churnSecond.Step();
            counts.insert(first.Config().players.size());
            QCOMPARE(first.Config().players.size(), second.Config().players.size());
        }
        QCOMPARE(counts, (QSet<qsizetype>{0, 1, 2, 3}));
    }

    // QStat, asking as of a Quake III server, reads the pairs: name, map, slots, player count.
    void QStatReadsTheStatusPairs() {
        QuakeServerStandIn server(DemoServer(1, 2));
        server.Config().answersStatus = true;
        QVERIFY(server.Start());
        const QByteArray address = "127.0.0.1:" + QByteArray::number(server.Port());
        const StandInConfig& config = server.Config();
        QCOMPARE(QStat({"-q3s", address, "-interval", "0.25"})[0].split(',').mid(1, 5),
                 (QByteArrayList{address, config.serverName, config.mapName,
                                 QByteArray::number(config.maxPlayers),
                                 QByteArray::number(config.players.size())}));
    }

    // Ten servers, four to a datagram. QStat reads an entry only when more bytes follow it in the
    // datagram, so it misses the last entry of every datagram before the one that ends with the
    // end mark, the fourth and the eighth; from dpmaster too.
    void QStatListsTheMastersServers() {
        MasterServerStandIn master;
        master.EntriesPerDatagram() = 4;
        QVERIFY(master.Start());
        std::vector<std::unique_ptr<QuakeServerStandIn>> servers;
        QByteArrayList expected;
        for (int i = 0; i < 10; ++i) {
            StandInConfig config;
            config.serverName = "Server " + QByteArray::number(i);
            servers.push_back(std::make_unique<QuakeServerStandIn>(config));
            QVERIFY(servers.back()->Start());
            master.Servers().append({QHostAddress::LocalHost, servers.back()->Port()});
            // IPv6 servers are for getserversExt only: listed among the others, they must not
            // reach QStat, which asks with getservers.
            if (i == 0)
                master.Servers().append(
                    {{QHostAddress("::1"), 26000}, {QHostAddress("::1"), 26001}});
            if (i != 3 && i != 7)
                expected.append("127.0.0.1:" + QByteArray::number(servers.back()->Port()) + ',' +
                                config.serverName);
        }
        // QStat does not stop at the end mark but waits out its master interval.
        const QByteArrayList lines = QStat({"-cfg", VANTREL_QSTAT_MASTER_CONFIG, "-nqm",
                                            "127.0.0.1:" + QString::number(master.Port()),
                                            "-interval", "0.2", "-mi", "0.1", "-retry", "2"});
        QCOMPARE(master.Requests(),
                 QList<QByteArray>{"\xFF\xFF\xFF\xFFgetservers FTE-Quake 3 empty full"});

        // The master's line with its server count, then one line per server.
        QByteArrayList listed;
        int masterCount = -1;
        for (const QByteArray& line : lines) {
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
};

VANTREL_TEST(TestStandIns)
#include "TestStandIns.moc"
