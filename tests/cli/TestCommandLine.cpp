#include "CommandLine.h"
#include "ExitStatus.h"
#include "RunCommandLine.h"
#include "TestRegistry.h"
#include "ToolRun.h"

#include <QProcess>

namespace {

// The options as one line. One server: server, game folder, own name, timeout, interval, and 0
// or 1 for --raw, --json, --no-rules and --no-players. Many: servers, masters, games, --raw,
// --json and the timeout.
QString Summary(const CommandLine& line) {
    const auto listed = [](const QList<HostPort>& list) {
        QStringList texts;
        for (const HostPort& h : list)
            texts << HostPortText(h);
        return texts.join(u' ');
    };
    const QueryOptions& o = line.options;
    const SweepOptions& s = line.sweep;
    const bool many = line.action == CommandLine::Action::Sweep;
    QStringList fields = many
                             ? QStringList{listed(s.servers), listed(s.masters), s.games.join(u' ')}
                             : QStringList{HostPortText(o.target), o.gameFolder, o.quakename};
    for (const int n : many ? QList<int>{s.raw, s.json, s.timeout}
                            : QList<int>{o.timeout, o.every, o.raw, o.json, o.noRules, o.noPlayers})
        fields << QString::number(n);
    return fields.join(u'|');
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void Arguments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("expected");
        const auto row = [](const QStringList& arguments, int status, const QString& expected) {
            QTest::addRow("%d %s", status, qPrintable(arguments.join(u' ').left(60)))
                << arguments << status << expected;
        };
        // Accepted: what the options then are.
        row({"quake.example.org"}, 0, "quake.example.org:26000||Vantrel v.70|20|0|0|0|0|0");
        row({"--json", "--raw", "--no-rules", "--no-players", "--timeout", "3", "--scripts", "/q",
             "--name", "Me", "--every", "60", "[::1]:5"},
            0, "[::1]:5|/q|Me|3|60|1|1|1|1");
        row({"127.0.0.1:1", "--timeout", "1", "--every", "1"}, 0,
            "127.0.0.1:1||Vantrel v.70|1|1|0|0|0|0");
        row({"h:65534", "--timeout", "120", "--every", "6000"}, 0,
            "h:65534||Vantrel v.70|120|6000|0|0|0|0");
        row({"[2001:db8::1]"}, 0, "[2001:db8::1]:26000||Vantrel v.70|20|0|0|0|0|0");
        row({"2001:db8::5:1"}, 0, "[2001:db8::5:1]:26000||Vantrel v.70|20|0|0|0|0|0");
        // Several servers, or any master: the server info of each.
        row({"a", "b:5"}, 0, "a:26000 b:5||FTE-Quake|0|0|20");
        row({"--master", "--raw"}, 0,
            "|master.frag-net.com:27950 dpmaster.deathmask.net:27950 dpmaster.tchr.no:27950|"
            "FTE-Quake|1|0|20");
        row({"--master=127.0.0.1", "--master=[::1]:5", "--game", "DarkPlaces-Quake", "--json",
             "--timeout", "3", "h"},
            0, "h:26000|127.0.0.1:27950 [::1]:5|DarkPlaces-Quake|0|1|3");
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
        // Exit status 3: nothing is sent when no host is found, and each one is named.
        row({UnresolvableHost() + ":26000"}, 3, "host not found: " + UnresolvableHost());
        row({"--master=" + UnresolvableHost(u'm'), UnresolvableHost(u's')}, 3, "host not found: ");
    }
    void Arguments() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, expected);
        const QStringList line = QStringList{QStringLiteral("vantrel-query")} + arguments;
        if (status == ExitComplete) {
            const CommandLine parsed = ParseCommandLine(line);
            QVERIFY(parsed.action == CommandLine::Action::Query ||
                    parsed.action == CommandLine::Action::Sweep);
            QCOMPARE(Summary(parsed), expected);
            return;
        }
        ToolRun run;
        QCOMPARE(RunCommandLine(line, run.out, run.errors), status);
        // The reason in one line, then the usage for a refused argument.
        const QByteArray told = run.errors.data();
        QVERIFY2(told.startsWith("vantrel-query: ") && told.endsWith('\n'), told);
        QVERIFY2(told.left(told.indexOf('\n')).contains(expected.toUtf8()), told);
        QCOMPARE(told.contains("\nUsage: "), status == ExitBadArguments);
        if (status == ExitHostNotFound)
            QCOMPARE(told.count("host not found: "), arguments.size());
        QVERIFY(run.out.data().isEmpty());
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
