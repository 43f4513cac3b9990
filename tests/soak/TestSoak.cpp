#include "ProcessFigures.h"
#include "QueryWindow.h"
#include "TestRegistry.h"
#include "TimerIds.h"
#include "standin/DemoConfig.h"

#include <QPushButton>
#include <QTest>

namespace {

int Count(const char* variable, int fallback) {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue(variable, &ok);
    return ok && n > 0 ? n : fallback;
}

enum class Kind { Normal, Lossy, Hostile, EndlessRules };

// Sets the server up as the kind of server the i-th query meets.
Kind Prepare(QuakeServerStandIn& server, int i) {
    const Kind kind = Kind(i % 4);
    // The server's own record of requests would grow with every query.
    server.ClearRequests();
    StandInFaults& f = server.Faults();
    f = StandInFaults();
    server.Config().players = DemoPlayers(3 + i % 3);
    server.Config().rules = DemoRules(4);
    if (kind == Kind::Lossy)
        f.droppedPlayers = {1};
    if (kind == Kind::Hostile) {
        server.Config().players[0].name = "x\";bind mouse1 quit;\"\n\xff";
        f.duplicate = f.garbageFirst = true;
    }
    f.endlessRules = kind == Kind::EndlessRules;
    return kind;
}

bool RepliesIn(QueryWindow& w, Kind kind) {
    const QueryState& s = w.Dialog().State();
    const int players = w.Dialog().Fields().currentPlayers - (kind == Kind::Lossy ? 1 : 0);
    return s.serverInfoReceived == 1 && s.playerReplies == players &&
           (kind == Kind::EndlessRules ? s.ruleCount == 1 : s.lastRuleName.Empty());
}

// Runs the steps, then holds what the process held once the first hundred had settled it against
// the same at the end: no descriptor may leak, and memory may grow by less than a MiB. Shorter
// runs check nothing.
void RunSettled(int steps, const std::function<void(int)>& step) {
    qint64 resident = 0;
    int descriptors = 0;
    for (int i = 0; i < steps && !QTest::currentTestFailed(); ++i) {
        step(i);
        if (i == 99)
            resident = ResidentBytes(), descriptors = OpenDescriptors();
    }
    if (steps <= 100 || QTest::currentTestFailed())
        return;
    QCOMPARE(OpenDescriptors(), descriptors);
    QVERIFY(!ResidentMemoryIsMeaningful || ResidentBytes() - resident < 1024 * 1024);
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT

private slots:
    void ManyQueries() {
        const int queries = Count("SOAK_QUERIES", 10000);
        QueryWindow w;
        w.settings.timeout = 1;
        MainDialog& d = w.Open();
        w.SetTarget();
        QByteArray lastNormal;
        RunSettled(queries, [&](int i) {
            const Kind kind = Prepare(w.server, i);
            w.QueryButton().click();
            QVERIFY2(w.WaitUntil([&] { return RepliesIn(w, kind); }, 10000),
                     qPrintable(QString::number(i)));
            d.OnTimerTick(QueryTimer);
            QCOMPARE(d.State().querying, 0);
            w.Prompts().Clear();
            if (kind == Kind::Normal && lastNormal.isEmpty())
                lastNormal = w.Script("vantrel.scr");
        });
        QVERIFY(!QTest::currentTestFailed());

        // The scripts after the last query are exactly what that query leaves.
        Prepare(w.server, 0);
        w.QueryButton().click();
        QVERIFY(w.WaitUntil([&] { return w.AllRepliesIn(); }, 10000));
        d.OnTimerTick(QueryTimer);
        QCOMPARE(w.Script("vantrel.scr"), lastNormal);
        QCOMPARE(w.Script("vtnm1.scr"), QByteArray("name \"Fiend\"\n"));
    }

    void ManyUpdateIntervals() {
        const int intervals = Count("SOAK_INTERVALS", 1000);
        QueryWindow w;
        w.settings.autoupdate = 1;
        w.settings.updatetime = 1;
        MainDialog& d = w.Open();
        w.SetTarget();
        w.Control<QPushButton>("updatesButton").click();
        RunSettled(intervals, [&](int i) {
            // Players join and leave from one interval to the next.
            w.server.Config().players = DemoPlayers(1 + i % 5);
            w.server.ClearRequests();
            d.OnTimerTick(UpdateTimer);
            QVERIFY(w.WaitUntil([&] { return w.AllRepliesIn(); }, 10000));
            d.OnTimerTick(QueryTimer);
            QCOMPARE(d.State().querying, 0);
        });
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel - Query Sucsess"));
        QCOMPARE(w.PlayerList().count(), 1 + (intervals - 1) % 5);
    }
};

VANTREL_TEST(TestSoak)
#include "TestSoak.moc"
