#include "ExitStatus.h"
#include "SweepTool.h"
#include "TestRegistry.h"
#include "TestWorld.h"
#include "master/MasterServerStandIn.h"
#include "standin/DemoConfig.h"
#include "standin/QuakeServerStandIn.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <memory>
#include <optional>

namespace {

// vantrel-query with many servers in this process, on a clock the test moves, its output caught.
class SweepRun {
public:
    SweepRun() {
        out.open(QIODevice::WriteOnly);
        errors.open(QIODevice::WriteOnly);
    }

    SweepTool& Start(const QStringList& arguments) {
        const CommandLine line = ParseCommandLine(QStringList{"vantrel-query"} + arguments);
        tool = std::make_unique<SweepTool>(line.sweep, out, errors, clock);
        QObject::connect(tool.get(), &SweepTool::Finished, [this](int s) { status = s; });
        tool->Start();
        return *tool;
    }
    // Two seconds pass: a server still silent is asked again, then given up.
    void GiveUpTheSilent() {
        for (int i = 0; i < 2; ++i) {
            clock.Advance(1000);
            tool->Sweep().OnTick();
        }
    }

    ManualClock clock;
    QBuffer out;
    QBuffer errors;
    std::optional<int> status;
    std::unique_ptr<SweepTool> tool;
};

QString Address(const QuakeServerStandIn& server) {
    return QStringLiteral("127.0.0.1:%1").arg(server.Port());
}

} // namespace

class TestSweep : public QObject {
    Q_OBJECT

private slots:
    void SortedByPingSilentLast() {
        QuakeServerStandIn fast, slow, silent;
        for (QuakeServerStandIn* s : {&fast, &slow, &silent})
            QVERIFY(s->Start());
        fast.Config().serverName = "Fast";
        fast.Config().players = DemoPlayers(2);
        slow.Config().serverName = "Slow";
        slow.Config().mapName = "dm4";
        slow.Faults().delayMs = 150;
        silent.Faults().dropServerInfo = true;
        SweepRun run;
        SweepTool& tool = run.Start({Address(silent), Address(slow), Address(fast)});
        QTRY_COMPARE(tool.Sweep().AnsweredCount(), 1);
        run.clock.Advance(40);
        QTRY_COMPARE(tool.Sweep().AnsweredCount(), 2);
        QVERIFY(!run.status);
        run.GiveUpTheSilent();
        QCOMPARE(run.status, std::optional<int>(ExitIncomplete));
        QCOMPARE(QString::fromUtf8(run.out.data()),
                 QStringLiteral("     0 ms  2/16  e1m1  %1  Fast\n"
                                "    40 ms  0/16  dm4   %2  Slow\n"
                                "no answer              %3\n")
                     .arg(Address(fast), Address(slow), Address(silent)));
        // The silent server had its second chance, and no more.
        QTRY_COMPARE(silent.Requests().size(), 2);
    }

    // A server both named and listed by a master is asked once and goes by its given name.
    void MastersServers() {
        QuakeServerStandIn named, listed;
        QVERIFY(named.Start() && listed.Start());
        MasterServerStandIn master;
        QVERIFY(master.Start());
        master.Servers() = {{QHostAddress::LocalHost, named.Port()},
                            {QHostAddress::LocalHost, listed.Port()}};
        const QString namedText = QStringLiteral("localhost:%1").arg(named.Port());
        SweepRun run;
        run.Start({"--json", "--master=127.0.0.1:" + QString::number(master.Port()), namedText});
        QTRY_VERIFY(run.status);
        QCOMPARE(*run.status, int(ExitComplete));
        const QJsonArray servers = QJsonDocument::fromJson(run.out.data()).array();
        QCOMPARE(servers.size(), 2);
        QStringList addresses;
        for (const QJsonValue& s : servers) {
            QVERIFY(s["answered"].toBool());
            QCOMPARE(s["server"]["map"]["text"].toString(), QStringLiteral("e1m1"));
            addresses << s["address"].toString();
        }
        addresses.sort();
        QCOMPARE(addresses, (QStringList{Address(listed), namedText}));
        QCOMPARE(named.Requests().size(), 1);
    }

    void NothingLookedUp() {
        SweepRun run;
        run.Start({"--master=" + UnresolvableHost(u'm'), UnresolvableHost(u's') + ":26000"});
        QTRY_VERIFY(run.status);
        QCOMPARE(*run.status, int(ExitHostNotFound));
        QVERIFY(run.out.data().isEmpty());
        QCOMPARE(run.errors.data().count("vantrel-query: host not found: "), 2);
    }
};

VANTREL_TEST(TestSweep)
#include "TestSweep.moc"
