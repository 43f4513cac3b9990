#include "ExpectedScripts.h"
#include "QueryWindow.h"
#include "TestRegistry.h"
#include "TimerIds.h"
#include "standin/DemoConfig.h"

#include <QDir>
#include <QTest>

// A window with name trickery and auto-update on, beside a server with two players, its update
// cycle started unless asked not to.
struct UpdatingWindow : QueryWindow {
    explicit UpdatingWindow(int updatetime, bool startCycle = true) {
        settings.autoupdate = 1;
        settings.updatetime = updatetime;
        server.Config().players = DemoPlayers(2);
        server.Config().rules = DemoRules(5);
        Open();
        SetTarget();
        if (startCycle)
            Updates().click();
    }
    QPushButton& Updates() { return Control<QPushButton>("updatesButton"); }
};

class TestUpdateCycle : public QObject {
    Q_OBJECT

private slots:
    void StartingSendsNothing() {
        UpdatingWindow w(60);
        MainDialog& d = w.Dialog();
        QCOMPARE(w.Updates().text(), QStringLiteral("StopUpdates[60]"));
        QVERIFY(!w.QueryButton().isEnabled());
        QVERIFY(d.TimerArmed(UpdateTimer));
        QCOMPARE(d.State().autoUpdating, 1);
        d.OnTimerTick(UpdateTimer);
        QCOMPARE(w.Updates().text(), QStringLiteral("StopUpdates[59]"));
        QTest::qWait(20);
        QVERIFY(w.server.Requests().isEmpty());
        d.done(0);
        QVERIFY(!d.TimerArmed(UpdateTimer));
    }

    // Players join and leave; every re-query rewrites the scripts and asks for no rules.
    void RequeriesFollowThePlayers() {
        UpdatingWindow w(3);
        MainDialog& d = w.Dialog();
        for (const char* caption : {"StopUpdates[2]", "StopUpdates[1]", "StopUpdates[0]"}) {
            d.OnTimerTick(UpdateTimer);
            QCOMPARE(w.Updates().text(), QString::fromLatin1(caption));
        }
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel - Update#1"));
        QCOMPARE(d.State().querying, 1);
        QTRY_VERIFY(w.AllRepliesIn());
        d.OnTimerTick(QueryTimer);
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel - Query Sucsess"));
        QCOMPARE(w.ProgressBar().value(), 70);
        QCOMPARE(w.RuleList().topLevelItemCount(), 0);
        for (const QByteArray& request : w.server.Requests())
            QVERIFY(request.size() > 4 && request[4] != '\x04');
        QCOMPARE(w.PlayerItems(), (QStringList{"Ranger", "Fiend"}));

        QList<StandInPlayer> players = DemoPlayers(4);
        players.removeFirst();
        w.server.Config().players = players;
        for (int i = 0; i < 3; ++i)
            d.OnTimerTick(UpdateTimer);
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel - Update#2"));
        QTRY_VERIFY(w.AllRepliesIn());
        QCOMPARE(w.PlayerItems(), (QStringList{"Fiend", "Shambler", "[Vore]"}));
        QCOMPARE(w.Script("vtnm2.scr"), "name \"" + players[2].name + "\"\n");
        QVERIFY(w.Script("vantrel.scr").endsWith(EchoLine(2, players[2].name)));
        d.OnTimerTick(UpdateTimer);
        QCOMPARE(w.Updates().text(), QStringLiteral("StopUpdates[2]"));
    }

    // With an interval of one second a tick that finds the last query still running stops it,
    // and the next tick starts a new one.
    void EveryTickRequeries() {
        UpdatingWindow w(1);
        MainDialog& d = w.Dialog();
        d.OnTimerTick(UpdateTimer);
        QCOMPARE(d.State().querying, 1);
        d.OnTimerTick(UpdateTimer);
        QCOMPARE(d.State().querying, 0);
        QCOMPARE(w.QueryButton().text(), QStringLiteral("Query"));
        QCOMPARE(w.ProgressBar().value(), 0);
        d.OnTimerTick(UpdateTimer);
        QCOMPARE(d.State().querying, 1);
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel - Update#3"));
    }

    void StoppingStopsTheQuery() {
        UpdatingWindow w(1);
        MainDialog& d = w.Dialog();
        d.OnTimerTick(UpdateTimer);
        QVERIFY(d.TimerArmed(QueryTimer));
        w.Updates().click();
        QCOMPARE(d.State().querying, 0);
        QCOMPARE(d.State().autoUpdating, 0);
        QVERIFY(!d.TimerArmed(QueryTimer) && !d.TimerArmed(UpdateTimer));
        QVERIFY(w.QueryButton().isEnabled());
        QCOMPARE(w.QueryButton().text(), QStringLiteral("Query"));
        QCOMPARE(w.Updates().text(), QStringLiteral("StartUpdates"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel"));
        QCOMPARE(w.ProgressBar().value(), 0);

        // The count of re-queries goes on in the next cycle.
        w.Updates().click();
        d.OnTimerTick(UpdateTimer);
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel - Update#2"));
    }

    void TimeoutIsRetriedWithoutAsking() {
        UpdatingWindow w(1);
        MainDialog& d = w.Dialog();
        d.CurrentSettings().timeout = 2;
        w.server.Faults().dropServerInfo = true;
        d.OnTimerTick(UpdateTimer);
        d.OnTimerTick(QueryTimer);
        d.OnTimerTick(QueryTimer);
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel - Query Timed Out"));
        QVERIFY(w.Prompts().History().isEmpty());
        QCOMPARE(d.State().querying, 1);
        QCOMPARE(w.QueryButton().text(), QStringLiteral("Stop[2]"));
        QTRY_COMPARE(w.server.Requests().size(), 2);
    }

    void ManualQueryGoesOnWhenTheCycleStarts() {
        UpdatingWindow w(60, false);
        MainDialog& d = w.Dialog();
        w.server.Faults().dropServerInfo = true;
        w.PressQuery();
        w.Updates().click();
        QCOMPARE(d.State().querying, 1);
        QVERIFY(!w.QueryButton().isEnabled());
        d.OnTimerTick(QueryTimer);
        QCOMPARE(w.QueryButton().text(), QStringLiteral("Stop[19]"));
    }

    // While the missing-folder message of one re-query is open, the ticks that its event loop
    // delivers keep counting but open no second message on top of it.
    void NoMessageOnTopOfTheSameMessage() {
        UpdatingWindow w(1);
        MainDialog& d = w.Dialog();
        QDir(w.GamePath()).removeRecursively();
        int nestedTicks = 0;
        w.Prompts().whileShown = [&](const ScriptedPrompts::Shown&) {
            while (nestedTicks < 5) {
                ++nestedTicks;
                d.OnTimerTick(UpdateTimer);
            }
        };
        d.OnTimerTick(UpdateTimer);
        QCOMPARE(w.Prompts().Texts(), QStringList{"Quake Directory Doesn't Exist"});
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel - Update#6"));
        QVERIFY(d.TimerArmed(UpdateTimer));
        d.OnTimerTick(UpdateTimer);
        QCOMPARE(w.Prompts().Texts().size(), 2);
    }
};

VANTREL_TEST(TestUpdateCycle)
#include "TestUpdateCycle.moc"
