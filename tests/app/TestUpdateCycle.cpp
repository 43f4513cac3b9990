#include "QueryWindow.h"
#include "query/TimerIds.h"
#include "standin/DemoConfig.h"

#include <QDir>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

int RuleRequests(const QuakeServerStandIn& server) {
    return int(std::count_if(server.Requests().begin(), server.Requests().end(),
                             [](const QByteArray& r) { return r.size() > 4 && r[4] == '\x04'; }));
}

} // namespace

class TestUpdateCycle : public QObject {
    Q_OBJECT

    // A window with name trickery and auto-update on, beside a server with two players.
    std::unique_ptr<QueryWindow> Window(int updatetime) {
        auto w = std::make_unique<QueryWindow>();
        w->settings.autoupdate = 1;
        w->settings.updatetime = updatetime;
        w->server.Config().players = DemoPlayers(2);
        w->server.Config().rules = DemoRules(5);
        w->Open();
        w->SetTarget();
        return w;
    }

    QPushButton& UpdatesButton(QueryWindow& w) {
        return *w.Dialog().findChild<QPushButton*>(QStringLiteral("updatesButton"));
    }

private slots:
    void StartingSendsNothing() {
        auto w = Window(60);
        MainDialog& d = w->Dialog();
        UpdatesButton(*w).click();
        QCOMPARE(UpdatesButton(*w).text(), QStringLiteral("StopUpdates[60]"));
        QVERIFY(!w->QueryButton().isEnabled());
        QVERIFY(d.TimerArmed(UpdateTimer));
        QCOMPARE(d.State().autoUpdating, 1);
        d.OnTimerTick(UpdateTimer);
        QCOMPARE(UpdatesButton(*w).text(), QStringLiteral("StopUpdates[59]"));
        QTest::qWait(20);
        QVERIFY(w->server.Requests().isEmpty());
        d.done(0);
        QVERIFY(!d.TimerArmed(UpdateTimer));
    }

    // Players join and leave; every re-query rewrites the scripts and asks for no rules.
    void RequeriesFollowThePlayers() {
        auto w = Window(3);
        MainDialog& d = w->Dialog();
        UpdatesButton(*w).click();
        for (const char* caption : {"StopUpdates[2]", "StopUpdates[1]", "StopUpdates[0]"}) {
            d.OnTimerTick(UpdateTimer);
            QCOMPARE(UpdatesButton(*w).text(), QString::fromLatin1(caption));
        }
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel - Update#1"));
        QCOMPARE(d.State().querying, 1);
        QTRY_VERIFY(w->AllRepliesIn());
        d.OnTimerTick(QueryTimer);
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel - Query Sucsess"));
        QCOMPARE(w->ProgressBar().value(), 70);
        QCOMPARE(w->RuleList().topLevelItemCount(), 0);
        QCOMPARE(RuleRequests(w->server), 0);
        QCOMPARE(w->PlayerItems(), (QStringList{"Ranger", "Fiend"}));

        QList<StandInPlayer> players = DemoPlayers(4);
        players.removeFirst();
        w->server.Config().players = players;
        for (int i = 0; i < 3; ++i)
            d.OnTimerTick(UpdateTimer);
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel - Update#2"));
        QTRY_VERIFY(w->AllRepliesIn());
        QCOMPARE(w->PlayerItems(), (QStringList{"Fiend", "Shambler", "[Vore]"}));
        QCOMPARE(w->Script("vtnm2.scr"), "name \"" + players[2].name + "\"\n");
        QVERIFY(
            w->Script("vantrel.scr").endsWith("echo \"\x8d nm2 \x8f " + players[2].name + "\"\n"));
        d.OnTimerTick(UpdateTimer);
        QCOMPARE(UpdatesButton(*w).text(), QStringLiteral("StopUpdates[2]"));
    }

    // With an interval of one second a tick that finds the last query still running stops it,
    // and the next tick starts a new one.
    void EveryTickRequeries() {
        auto w = Window(1);
        MainDialog& d = w->Dialog();
        UpdatesButton(*w).click();
        d.OnTimerTick(UpdateTimer);
        QCOMPARE(d.State().querying, 1);
        d.OnTimerTick(UpdateTimer);
        QCOMPARE(d.State().querying, 0);
        QCOMPARE(w->QueryButton().text(), QStringLiteral("Query"));
        QCOMPARE(w->ProgressBar().value(), 0);
        d.OnTimerTick(UpdateTimer);
        QCOMPARE(d.State().querying, 1);
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel - Update#3"));
    }

    void StoppingStopsTheQuery() {
        auto w = Window(1);
        MainDialog& d = w->Dialog();
        UpdatesButton(*w).click();
        d.OnTimerTick(UpdateTimer);
        QVERIFY(d.TimerArmed(QueryTimer));
        UpdatesButton(*w).click();
        QCOMPARE(d.State().querying, 0);
        QCOMPARE(d.State().autoUpdating, 0);
        QVERIFY(!d.TimerArmed(QueryTimer) && !d.TimerArmed(UpdateTimer));
        QVERIFY(w->QueryButton().isEnabled());
        QCOMPARE(w->QueryButton().text(), QStringLiteral("Query"));
        QCOMPARE(UpdatesButton(*w).text(), QStringLiteral("StartUpdates"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel"));
        QCOMPARE(w->ProgressBar().value(), 0);

        // The count of re-queries goes on in the next cycle.
        UpdatesButton(*w).click();
        d.OnTimerTick(UpdateTimer);
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel - Update#2"));
    }

    void TimeoutIsRetriedWithoutAsking() {
        auto w = Window(1);
        w->Dialog().CurrentSettings().timeout = 2;
        w->server.Faults().dropServerInfo = true;
        MainDialog& d = w->Dialog();
        UpdatesButton(*w).click();
        d.OnTimerTick(UpdateTimer);
        d.OnTimerTick(QueryTimer);
        d.OnTimerTick(QueryTimer);
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel - Query Timed Out"));
        QVERIFY(w->Prompts().History().isEmpty());
        QCOMPARE(d.State().querying, 1);
        QCOMPARE(w->QueryButton().text(), QStringLiteral("Stop[2]"));
        QTRY_COMPARE(w->server.Requests().size(), 2);
    }

    void ManualQueryGoesOnWhenTheCycleStarts() {
        auto w = Window(60);
        MainDialog& d = w->Dialog();
        w->server.Faults().dropServerInfo = true;
        w->PressQuery();
        UpdatesButton(*w).click();
        QCOMPARE(d.State().querying, 1);
        QVERIFY(!w->QueryButton().isEnabled());
        d.OnTimerTick(QueryTimer);
        QCOMPARE(w->QueryButton().text(), QStringLiteral("Stop[19]"));
    }

    // While the missing-folder message of one re-query is open, the ticks that its event loop
    // delivers keep counting but open no second message on top of it.
    void NoMessageOnTopOfTheSameMessage() {
        auto w = Window(1);
        MainDialog& d = w->Dialog();
        UpdatesButton(*w).click();
        QDir(w->GamePath()).removeRecursively();
        int nestedTicks = 0;
        w->Prompts().whileShown = [&](const ScriptedPrompts::Shown&) {
            while (nestedTicks < 5) {
                ++nestedTicks;
                d.OnTimerTick(UpdateTimer);
            }
        };
        d.OnTimerTick(UpdateTimer);
        QCOMPARE(w->Prompts().Texts(), QStringList{"Quake Directory Doesn't Exist"});
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel - Update#6"));
        QVERIFY(d.TimerArmed(UpdateTimer));
        d.OnTimerTick(UpdateTimer);
        QCOMPARE(w->Prompts().Texts().size(), 2);
    }
};

QTEST_MAIN(TestUpdateCycle)
#include "TestUpdateCycle.moc"
