#include "QueryWindow.h"
#include "TestRegistry.h"
#include "TimerIds.h"
#include "standin/DemoConfig.h"

#include <QTest>

// A window with name trickery and auto-update on, beside a server with two players, its update
// cycle started at an interval of one second.
struct UpdatingWindow : QueryWindow {
    UpdatingWindow() {
        settings.autoupdate = 1;
        settings.updatetime = 1;
        server.Config().players = DemoPlayers(2);
        Open();
        SetTarget();
        Updates().click();
    }
    QPushButton& Updates() { return Control<QPushButton>("updatesButton"); }
    void Tick(int timer = UpdateTimer) { Dialog().OnTimerTick(timer); }
};

class TestUpdateCycle : public QObject {
    Q_OBJECT

private slots:
    // Starting sends nothing; each tick at an interval of one second re-queries, or stops a query
    // still running. Stopping the cycle stops its query, and so does closing the window.
    void StartTickStop() {
        UpdatingWindow w;
        QCOMPARE(w.Looks(), "Vantrel|Query!|StopUpdates[1]|0|q0u1|-U");
        QTest::qWait(20);
        QVERIFY(w.server.Requests().isEmpty());
        w.Tick();
        QCOMPARE(w.Looks(), "Vantrel - Update#1|Stop[20]!|StopUpdates[0]|10|q1u1|QU");
        w.Tick();
        QCOMPARE(w.Looks(), "Vantrel - Update#2|Query!|StopUpdates[0]|0|q0u1|-U");
        w.Tick();
        QCOMPARE(w.Looks(), "Vantrel - Update#3|Stop[20]!|StopUpdates[0]|10|q1u1|QU");
        w.Updates().click();
        QCOMPARE(w.Looks(), "Vantrel|Query|StartUpdates|0|q0u0|--");
        w.Updates().click();
        w.Tick();
        w.Dialog().done(0);
        QVERIFY(w.Looks().endsWith("|--"));
    }

    // A re-query that times out is sent again without a question.
    void TimeoutIsRetriedWithoutAsking() {
        UpdatingWindow w;
        w.Dialog().CurrentSettings().timeout = 2;
        w.server.Faults().dropServerInfo = true;
        for (const int timer : {UpdateTimer, QueryTimer, QueryTimer})
            w.Tick(timer);
        QCOMPARE(w.Looks(), "Vantrel - Query Timed Out|Stop[2]!|StopUpdates[0]|10|q1u1|QU");
        QVERIFY(w.Prompts().History().isEmpty());
        QTRY_COMPARE(w.server.Requests().size(), 2);
    }

    // While the missing-folder message of one re-query is open, the ticks that its event loop
    // delivers keep counting but open no second message on top of it.
    void NoMessageOnTopOfTheSameMessage() {
        UpdatingWindow w;
        QDir(w.GamePath()).removeRecursively();
        int nestedTicks = 0;
        w.Prompts().whileShown = [&](const ScriptedPrompts::Shown&) {
            while (nestedTicks < 5) {
                ++nestedTicks;
                w.Tick();
            }
        };
        w.Tick();
        QCOMPARE(w.Prompts().Texts(), QStringList{"Quake Directory Doesn't Exist"});
        QCOMPARE(w.Looks(), "Vantrel - Update#6|Query!|StopUpdates[0]|0|q0u1|-U");
        w.Tick();
        QCOMPARE(w.Prompts().Texts().size(), 2);
    }
};

VANTREL_TEST(TestUpdateCycle)
#include "TestUpdateCycle.moc"
