#include "ExitStatus.h"
#include "TestRegistry.h"
#include "ToolRun.h"
#include "master/MasterServerStandIn.h"
#include "standin/DemoConfig.h"

#include <QJsonArray>
#include <QTest>

// Many servers at once, each asked for its server info only.
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
        ToolRun run;
        run.Start({Address(silent), Address(slow), Address(fast)});
        ServerSweep& sweep = run.sweep->Sweep();
        QTRY_COMPARE(sweep.AnsweredCount(), 1);
        run.clock.Advance(40);
        QTRY_COMPARE(sweep.AnsweredCount(), 2);
        QVERIFY(!run.status);
        // Two seconds pass: the silent server is asked again, then given up.
        for (int i = 0; i < 2; ++i) {
            run.clock.Advance(1000);
            sweep.OnTick();
        }
        QCOMPARE(run.status, std::optional<int>(ExitIncomplete));
        QCOMPARE(run.Text(), QStringLiteral("     0 ms  2/16  e1m1  %1  Fast\n"
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
        ToolRun run;
        QCOMPARE(
            run.Run({"--json", "--master=127.0.0.1:" + QString::number(master.Port()), namedText}),
            int(ExitComplete));
        const QJsonArray servers = run.Json().array();
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
        ToolRun run;
        QCOMPARE(run.Run({"--master=" + UnresolvableHost(u'm'), UnresolvableHost(u's') + ":26000"}),
                 int(ExitHostNotFound));
        QVERIFY(run.out.data().isEmpty());
        QCOMPARE(run.errors.data().count("vantrel-query: host not found: "), 2);
    }
};

VANTREL_TEST(TestSweep)
#include "TestSweep.moc"
