#include "RawClient.h"
#include "Slipgate.h"
#include "standin/DemoConfig.h"
#include "standin/QuakeServerStandIn.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

Q_DECLARE_METATYPE(StandInConfig)

// QStat, an independent client, must read from the stand-in what the stand-in was told to serve.
class TestQStatCrossCheck : public QObject {
    Q_OBJECT

private slots:
    void QStatReadsTheConfiguredServer_data();
    void QStatReadsTheConfiguredServer();
};

void TestQStatCrossCheck::QStatReadsTheConfiguredServer_data() {
    QTest::addColumn<StandInConfig>("config");

    StandInConfig empty;
    empty.serverName = "Empty Slipgate";
    empty.mapName = "start";
    empty.maxPlayers = 4;
    empty.rules = {{"sv_gravity", "800"}, {"deathmatch", "1"}};
    QTest::newRow("no players") << empty;

    StandInConfig slipgate = SlipgateConfig();
    slipgate.players.append({"\x10Vore\x11", 13, 12, 150, 3600, "127.0.0.1:27004"});
    QTest::newRow("four players") << slipgate;

    StandInConfig full;
    full.serverName = "Demo server";
    full.mapName = "dm6";
    full.players = DemoPlayers(16);
    full.rules = DemoRules(20);
    QTest::newRow("full server, many rules") << full;
}

void TestQStatCrossCheck::QStatReadsTheConfiguredServer() {
    const QString quakestat = QStandardPaths::findExecutable("quakestat");
    if (quakestat.isEmpty()) {
        if (qEnvironmentVariableIsSet("CI"))
            QFAIL("quakestat (Debian package qstat) is missing");
        QSKIP("quakestat (Debian package qstat) is not installed");
    }
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
    QCOMPARE(server.Requests().value(0), ServerInfoRequest());

    // Raw output: the server line, the rules line, one line per player, an empty line.
    const QByteArrayList lines = output.split('\n');
    const int playerCount = int(config.players.size());
    QVERIFY2(lines.size() >= 3 + playerCount, output.constData());
    const QByteArrayList info = lines[0].split(',');
    QVERIFY2(info.size() >= 8, lines[0].constData());
    QCOMPARE(info[0], "QS");
    QCOMPARE(info[2], config.serverName);
    QCOMPARE(info[3], config.serverAddress.isEmpty() ? address : config.serverAddress);
    QCOMPARE(info[4], "3");
    QCOMPARE(info[5], config.mapName);
    QCOMPARE(info[6].toInt(), config.maxPlayers);
    QCOMPARE(info[7].toInt(), playerCount);

    QByteArrayList rules;
    for (const StandInRule& rule : config.rules)
        rules.append(rule.name + '=' + rule.value);
    QCOMPARE(lines[1], rules.join(','));

    for (int number = 0; number < playerCount; ++number) {
        const StandInPlayer& player = config.players[number];
        const QByteArrayList fields = lines[2 + number].split(',');
        QCOMPARE(fields.size(), 7);
        QCOMPARE(fields[0].toInt(), number);
        QCOMPARE(fields[1], player.name);
        QCOMPARE(fields[2], player.address);
        QCOMPARE(fields[3].toInt(), player.frags);
        QCOMPARE(fields[4].toInt(), player.connectTime);
        QCOMPARE(fields[5].toInt(), player.shirt);
        QCOMPARE(fields[6].toInt(), player.pants);
    }
    QCOMPARE(lines[2 + playerCount], QByteArray());
}

int RunQStatCrossCheck(int argc, char* argv[]) {
    TestQStatCrossCheck test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestQStatCrossCheck.moc"
