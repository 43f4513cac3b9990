#include "cli/CommandLine.h"
#include "cli/ServerTarget.h"

#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void Target_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::newRow("name") << "quake.example.org"
                              << "quake.example.org" << 26000;
        QTest::newRow("name and port") << "quake.example.org:27500"
                                       << "quake.example.org" << 27500;
        QTest::newRow("IPv4 and port") << "127.0.0.1:1"
                                       << "127.0.0.1" << 1;
        QTest::newRow("highest port") << "h:65534"
                                      << "h" << 65534;
        QTest::newRow("bracketed IPv6 and port") << "[::1]:26001"
                                                 << "::1" << 26001;
        QTest::newRow("bracketed IPv6") << "[2001:db8::1]"
                                        << "2001:db8::1" << 26000;
        QTest::newRow("bare IPv6") << "::1"
                                   << "::1" << 26000;
        QTest::newRow("bare long IPv6") << "2001:db8::5:1"
                                        << "2001:db8::5:1" << 26000;
    }
    void Target() {
        QFETCH(QString, text);
        QString error;
        const std::optional<ServerTarget> target = ParseServerTarget(text, error);
        QVERIFY2(target, qPrintable(error));
        QTEST(target->host, "host");
        QTEST(target->port, "port");
    }

    void BadTarget_data() {
        QTest::addColumn<QString>("text");
        for (const char* text : {"", "h:0", "h:65535", "h:", ":26000", "h:+5", "h: 5", "h:5 ",
                                 "h:abc", "[::1", "[::1]26000", "[::1]:", "[]:26000"})
            QTest::newRow(text) << QString::fromLatin1(text);
    }
    void BadTarget() {
        QFETCH(QString, text);
        QString error;
        QVERIFY(!ParseServerTarget(text, error));
        QVERIFY(!error.isEmpty() && !error.contains(u'\n'));
    }

    void Defaults() {
        const CommandLine line = ParseCommandLine({"vantrel-query", "h"});
        QCOMPARE(line.action, CommandLine::Action::Query);
        const QueryOptions& o = line.options;
        QCOMPARE(o.timeout, 20);
        QCOMPARE(o.every, 0);
        QVERIFY(o.gameFolder.isEmpty());
        QCOMPARE(o.quakename, QStringLiteral("Vantrel v.70"));
        QVERIFY(!o.raw && !o.json && !o.noRules && !o.noPlayers);
    }

    void AllOptions() {
        const CommandLine line = ParseCommandLine(
            {"vantrel-query", "--json", "--raw", "--no-rules", "--no-players", "--timeout", "3",
             "--scripts", "/q", "--name", "Me", "--every", "60", "[::1]:5"});
        QCOMPARE(line.action, CommandLine::Action::Query);
        const QueryOptions& o = line.options;
        QVERIFY(o.raw && o.json && o.noRules && o.noPlayers);
        QCOMPARE(o.timeout, 3);
        QCOMPARE(o.gameFolder, QStringLiteral("/q"));
        QCOMPARE(o.quakename, QStringLiteral("Me"));
        QCOMPARE(o.every, 60);
        QCOMPARE(o.target.host, QStringLiteral("::1"));
        QCOMPARE(o.target.port, 5);
    }

    void Refused_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no server") << QStringList{} << "no server given";
        QTest::newRow("two servers") << QStringList{"a", "b"} << "more than one server";
        QTest::newRow("unknown option") << QStringList{"--fast", "h"} << "fast";
        QTest::newRow("timeout without value") << QStringList{"h", "--timeout"} << "timeout";
        QTest::newRow("timeout 0") << QStringList{"--timeout", "0", "h"} << "--timeout";
        QTest::newRow("timeout 121") << QStringList{"--timeout", "121", "h"} << "--timeout";
        QTest::newRow("timeout not a number") << QStringList{"--timeout", "2s", "h"} << "--timeout";
        QTest::newRow("every 0") << QStringList{"--every", "0", "h"} << "--every";
        QTest::newRow("every 6001") << QStringList{"--every", "6001", "h"} << "--every";
        QTest::newRow("name without scripts") << QStringList{"--name", "Me", "h"} << "--scripts";
        QTest::newRow("empty game folder") << QStringList{"--scripts", "", "h"} << "game folder";
        QTest::newRow("bad port") << QStringList{"h:99999"} << "port";
    }
    void Refused() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, reason);
        const CommandLine line = ParseCommandLine(QStringList{"vantrel-query"} + arguments);
        QCOMPARE(line.action, CommandLine::Action::Refuse);
        QVERIFY2(line.error.contains(reason), qPrintable(line.error));
        QVERIFY(!line.error.contains(u'\n'));
        QVERIFY(line.usage.contains(QStringLiteral("HOST[:PORT]")));
    }

    void HelpAndVersion() {
        QCOMPARE(ParseCommandLine({"vantrel-query", "--help"}).action, CommandLine::Action::Help);
        QCOMPARE(ParseCommandLine({"vantrel-query", "--version"}).action,
                 CommandLine::Action::Version);
    }
};

int RunCommandLineTests(int argc, char** argv) {
    TestCommandLine test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestCommandLine.moc"
