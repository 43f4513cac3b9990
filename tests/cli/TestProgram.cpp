#include "cli/ExitStatus.h"
#include "standin/DemoConfig.h"
#include "standin/QuakeServerStandIn.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

namespace {

struct Ended {
    int status = -1;
    QByteArray out;
    QByteArray errors;
};

// Runs the built program; the event loop runs meanwhile, so a stand-in in this process answers.
Ended RunBinary(const QStringList& arguments) {
    QProcess process;
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(QStringLiteral(VANTREL_QUERY_PROGRAM), arguments);
    Ended ended;
    if (!finished.wait(10000))
        return ended;
    ended.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    ended.out = process.readAllStandardOutput();
    ended.errors = process.readAllStandardError();
    return ended;
}

} // namespace

class TestProgram : public QObject {
    Q_OBJECT

private slots:
    void BadArguments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("reason");
        QTest::newRow("nothing") << QStringList{} << QByteArray("no server given");
        QTest::newRow("bad port") << QStringList{"127.0.0.1:65535"}
                                  << QByteArray(
                                         "bad port \"65535\": give a number from 1 to 65534");
    }
    void BadArguments() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, reason);
        const Ended ended = RunBinary(arguments);
        QCOMPARE(ended.status, int(ExitBadArguments));
        QVERIFY2(ended.errors.startsWith("vantrel-query: " + reason + "\nUsage: "),
                 ended.errors.constData());
        QVERIFY(ended.out.isEmpty());
    }

    void HelpAndVersion() {
        const Ended help = RunBinary({"--help"});
        QCOMPARE(help.status, int(ExitComplete));
        QVERIFY(help.out.startsWith("Usage: "));
        for (const char* option : {"--raw", "--json", "--timeout", "--no-rules", "--no-players",
                                   "--scripts", "--name", "--every"})
            QVERIFY2(help.out.contains(option), option);
        const Ended version = RunBinary({"--version"});
        QCOMPARE(version.status, int(ExitComplete));
        QCOMPARE(version.out, QByteArray("vantrel-query 0.70\n"));
    }

    void QueriesAServer() {
        QuakeServerStandIn server;
        server.Config().players = DemoPlayers(3);
        server.Config().rules = DemoRules(4);
        QVERIFY(server.Start());
        const Ended ended =
            RunBinary({"--json", QStringLiteral("localhost:%1").arg(server.Port())});
        QCOMPARE(ended.status, int(ExitComplete));
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(ended.out, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(doc["players"].toArray().size(), 3);
        QCOMPARE(doc["rules"].toArray().size(), 4);
        QVERIFY(ended.errors.isEmpty());
    }
};

int RunProgramTests(int argc, char** argv) {
    TestProgram test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestProgram.moc"
