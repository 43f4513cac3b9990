#include "CommandLine.h"
#include "ExitStatus.h"
#include "RunCommandLine.h"
#include "TestRegistry.h"

#include <QBuffer>
#include <QProcess>
#include <QTest>

namespace {

// The options as one line: server, game folder, own name, port, timeout, interval, and 0 or 1
// for --raw, --json, --no-rules and --no-players.
QString Summary(const QueryOptions& o) {
    QStringList s{o.target.host, o.gameFolder, o.quakename};
    for (const int n : {o.target.port, o.timeout, o.every, int(o.raw), int(o.json), int(o.noRules),
                        int(o.noPlayers)})
        s << QString::number(n);
    return s.join(u'|');
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void Arguments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("expected");
        const auto row = [](const QStringList& arguments, int status, const char* expected) {
            QTest::addRow("%d %s", status, qPrintable(arguments.join(u' ')))
                << arguments << status << expected;
        };
        // Accepted: what the options then are.
        row({"quake.example.org"}, 0, "quake.example.org||Vantrel v.70|26000|20|0|0|0|0|0");
        row({"--json", "--raw", "--no-rules", "--no-players", "--timeout", "3", "--scripts", "/q",
             "--name", "Me", "--every", "60", "[::1]:5"},
            0, "::1|/q|Me|5|3|60|1|1|1|1");
        row({"127.0.0.1:1", "--raw"}, 0, "127.0.0.1||Vantrel v.70|1|20|0|1|0|0|0");
        row({"h:65534", "--timeout", "120", "--every", "6000"}, 0,
            "h||Vantrel v.70|65534|120|6000|0|0|0|0");
        row({"[2001:db8::1]"}, 0, "2001:db8::1||Vantrel v.70|26000|20|0|0|0|0|0");
        row({"2001:db8::5:1", "--no-rules"}, 0, "2001:db8::5:1||Vantrel v.70|26000|20|0|0|0|1|0");
        // Refused with exit status 2: the reason.
        row({}, 2, "no server given");
        row({"a", "b", "--scripts", "/q"}, 2, "--scripts takes exactly one server");
        row({"--master", "--every", "60"}, 2, "--every takes exactly one server");
        row({"--game", "DarkPlaces-Quake", "h"}, 2, "--game needs --master");
        row({"--master=h:0"}, 2, "bad port");
        row({"--fast", "h"}, 2, "fast");
        row({"h", "--timeout"}, 2, "timeout");
        for (const char* seconds : {"0", "121", "2s"})
            row({"--timeout", seconds, "h"}, 2, "bad --timeout");
        for (const char* seconds : {"0", "6001"})
            row({"--every", seconds, "h"}, 2, "bad --every");
        row({"--name", "Me", "h"}, 2, "--name needs --scripts");
        row({"--scripts", "", "h"}, 2, "needs a game folder");
        for (const char* server :
             {"h:0", "h:65535", "h:", "h:+5", "h: 5", "h:5 ", "h:abc", "[::1]:"})
            row({server}, 2, "bad port");
        for (const char* server : {"", ":26000", "[]:26000"})
            row({server}, 2, "no host");
        for (const char* server : {"[::1", "[::1]26000"})
            row({server}, 2, "[ADDRESS]:PORT");
        // As the window's Query button, before anything is sent.
        row({"--scripts", "/nonexistent/vantrel", "h"}, 2, "Quake Directory Doesn't Exist");
    }
    void Arguments() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, expected);
        const QStringList line = QStringList{QStringLiteral("vantrel-query")} + arguments;
        if (status == ExitComplete) {
            const CommandLine parsed = ParseCommandLine(line);
            QCOMPARE(parsed.action, CommandLine::Action::Query);
            QCOMPARE(Summary(parsed.options), expected);
            return;
        }
        QBuffer out;
        QBuffer errors;
        out.open(QIODevice::WriteOnly);
        errors.open(QIODevice::WriteOnly);
        QCOMPARE(RunCommandLine(line, out, errors), status);
        // The reason in one line, then the usage.
        const QByteArray told = errors.data();
        QVERIFY2(told.startsWith("vantrel-query: ") && told.contains("\nUsage: "), told);
        QVERIFY2(told.left(told.indexOf('\n')).contains(expected.toUtf8()), told);
        QVERIFY(out.data().isEmpty());
    }

    // Several servers, or any master, ask for the server info of each.
    void SweepArguments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two servers") << QStringList{"a", "b:5"} << "a:26000 b:5||FTE-Quake|0|0|20";
        QTest::newRow("default masters")
            << QStringList{"--master", "--raw"}
            << "|master.frag-net.com:27950 dpmaster.deathmask.net:27950 dpmaster.tchr.no:27950|"
               "FTE-Quake|1|0|20";
        QTest::newRow("masters named") << QStringList{"--master=127.0.0.1",
                                                      "--master=[::1]:5",
                                                      "--game",
                                                      "DarkPlaces-Quake",
                                                      "--json",
                                                      "--timeout",
                                                      "3",
                                                      "h"}
                                       << "h:26000|127.0.0.1:27950 [::1]:5|DarkPlaces-Quake|0|1|3";
    }
    void SweepArguments() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const CommandLine line = ParseCommandLine(QStringList{"vantrel-query"} + arguments);
        QCOMPARE(line.action, CommandLine::Action::Sweep);
        const SweepOptions& o = line.sweep;
        const auto texts = [](const QList<HostPort>& list) {
            QStringList t;
            for (const HostPort& h : list)
                t << HostPortText(h);
            return t.join(u' ');
        };
        QCOMPARE(QStringList({texts(o.servers), texts(o.masters), o.games.join(u' '),
                              QString::number(o.raw), QString::number(o.json),
                              QString::number(o.timeout)})
                     .join(u'|'),
                 expected);
    }

    // The built program, as a shell starts it.
    void Program() {
        QProcess program;
        const auto run = [&program](const QStringList& arguments) {
            program.start(QStringLiteral(VANTREL_QUERY_PROGRAM), arguments);
            const bool ended = program.waitForFinished(10000);
            return ended && program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
        };
        QCOMPARE(run({"--help"}), int(ExitComplete));
        QVERIFY(program.readAllStandardOutput().startsWith("Usage: "));
        QCOMPARE(run({"127.0.0.1:65535"}), int(ExitBadArguments));
        QVERIFY(program.readAllStandardOutput().isEmpty());
        QVERIFY(program.readAllStandardError().startsWith(
            "vantrel-query: bad port \"65535\": give a number from 1 to 65534\nUsage: "));
    }
};

VANTREL_TEST(TestCommandLine)
#include "TestCommandLine.moc"
