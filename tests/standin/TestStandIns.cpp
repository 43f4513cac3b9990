#include "TestRegistry.h"
#include "master/MasterServerStandIn.h"
#include "standin/DemoConfig.h"
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
