#include "ExpectedScripts.h"
#include "QueryWindow.h"
#include "TestRegistry.h"
#include "TimerIds.h"
#include "standin/DemoConfig.h"

#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

namespace {

const QStringList sixteenShown = {
    "Ranger",  "Fiend",   "Shambler", "[Vore]", "Ogre", "Scrag", "Enforcer",    "Death Knight",
    ">Zombie", "Rotfish", "Chthon",   "Spawn",  "Shub", "Grunt", "Hell Knight", ".Rottweiler"};

QList<int> Positions(const QSignalSpy& spy) {
    QList<int> positions;
    for (const QList<QVariant>& args : spy)
        positions << args.at(0).toInt();
    return positions;
}

} // namespace

class TestWholeQuery : public QObject {
    Q_OBJECT

private slots:
    void WholeQuery_data() {
        QTest::addColumn<int>("players");
        QTest::addColumn<int>("rules");
        QTest::addColumn<int>("progressAtEnd");
        QTest::addColumn<bool>("twiceAndReversed");
        QTest::newRow("sixteen players, forty rules") << 16 << 40 << 100 << false;
        QTest::newRow("empty server") << 0 << 0 << 75 << false;
        // Players beyond sixteen are listed and counted; only the first sixteen have name scripts.
        QTest::newRow("more than sixteen") << 20 << 3 << 100 << false;
        // Each player is listed and written once.
        QTest::newRow("every reply twice, players reversed") << 5 << 6 << 100 << true;
    }
    // The window's fields and lists, and the seventeen scripts byte for byte.
    void WholeQuery() {
        QFETCH(int, players);
        QFETCH(int, rules);
        QFETCH(int, progressAtEnd);
        QFETCH(bool, twiceAndReversed);
        QueryWindow w;
        w.server.Config().players = DemoPlayers(players);
        w.server.Config().rules = DemoRules(rules);
        w.server.Faults().duplicate = w.server.Faults().reversePlayerBurst = twiceAndReversed;
        MainDialog& d = w.Open();
        QSignalSpy progress(&w.ProgressBar(), &QProgressBar::valueChanged);
        w.PressQuery();
        QCOMPARE(w.Looks(), "Vantrel|Stop[20]|StartUpdates!|10|q1u0|Q-");
        QCOMPARE(w.Script("vantrel.scr").size(), 641 + 12);
        // An empty rule list's end shows only in the progress.
        QTRY_VERIFY(w.AllRepliesIn() && w.ProgressBar().value() == progressAtEnd);
        d.OnTimerTick(QueryTimer);
        QTest::qWait(twiceAndReversed ? 50 : 0);
        QCOMPARE(w.Looks(), QStringLiteral("Vantrel - Query Sucsess|Query|StartUpdates!|%1|q0u0|--")
                                .arg(progressAtEnd));
        // 10 at the start, 20, 35 and 45 on the server info, then up to the end.
        const QList<int> positions = Positions(progress);
        QCOMPARE(positions.mid(0, 4), (QList<int>{10, 20, 35, 45}));
        // A repeated server-info reply steps the progress through its three places again.
        QVERIFY(twiceAndReversed || std::is_sorted(positions.begin(), positions.end()));

        QByteArrayList sent;
        for (const StandInPlayer& player : w.server.Config().players)
            sent << player.name;
        for (int i = 0; i < std::min(players, 16); ++i)
            QCOMPARE(w.Script(NameScript(i)), NameLine(sent[i]));
        const QByteArray main = MainScript("Vantrel v.70", sent);
        const qsizetype scroll = main.indexOf("alias scrollnames");
        // A repeated server-info reply writes the same scroll alias again, which changes nothing.
        const qsizetype again = twiceAndReversed ? main.indexOf('\n', scroll) + 1 - scroll : 0;
        QCOMPARE(w.Script("vantrel.scr"),
                 main.left(scroll) + main.mid(scroll, again) + main.mid(scroll));
        QVERIFY(!QFile::exists(w.DataPath() + "/vtnm16.scr"));
        QCOMPARE(w.PlayerList().count(), players);
        QCOMPARE(w.RuleList().topLevelItemCount(), rules);
        if (players == 0) {
            QCOMPARE(positions.size(), 5);
            QCOMPARE(w.server.Requests().size(), 2);
            return;
        }
        if (players > 16)
            return;
        // The server's fields and the rules are held against vantrel-query's JSON elsewhere.
        QCOMPARE(w.PlayerItems(), sixteenShown.mid(0, players));

        // Selecting a player shows his record under "Player Info".
        w.PlayerList().setCurrentRow(3);
        QCOMPARE(d.findChild<QTabBar*>(QStringLiteral("infoTabs"))->currentIndex(), 1);
        QVERIFY(w.DetailsList().isVisibleTo(&d) && !w.RuleList().isVisibleTo(&d));
        QStringList details;
        for (int r = 0; r < w.DetailsList().topLevelItemCount(); ++r) {
            const QTreeWidgetItem* row = w.DetailsList().topLevelItem(r);
            details << row->text(0) + u'=' + row->text(1) + u' ' + row->toolTip(1);
        }
        QCOMPARE(details,
                 (QStringList{"Name=[Vore] ", "Number=3 ", "Frags=19 ", "Shirt=1 brown",
                              "Pants=13 blue", "Connected=351 ", "Address=127.0.0.1:27004 "}));
        QCOMPARE(w.PlayerList().item(3)->toolTip(), QStringLiteral("brown shirt, blue pants"));
    }

    // The worked example: the placeholders go into the scripts, the raw names into the details.
    // A hostile name is cut to the display name's nineteen bytes, then kept inside its quotes.
    void PlaceholderAndHostileNames() {
        QueryWindow w;
        w.server.Config().players = {{"player", 4, 13, -3, 12, "10.0.0.2:26000"},
                                     {"unconnected", 0, 0, 0, 0, ""},
                                     {"x\";bind mouse1 quit;\"", 0, 0, 0, 0, ""},
                                     {"a\nquit", 0, 0, 0, 0, ""}};
        MainDialog& d = w.Open();
        w.PressQuery();
        QTRY_VERIFY(w.AllRepliesIn());
        const QByteArrayList names = {"-player-", "-unconnected-", "x';bind mouse1 quit", "a quit"};
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(w.Script(NameScript(i)), NameLine(names[i]));
        QCOMPARE(w.Script("vantrel.scr"), MainScript("Vantrel v.70", names));
        QCOMPARE(w.Script("vtnm4.scr"), QByteArray());
        QCOMPARE(w.PlayerItems().mid(0, 2), (QStringList{"-player-", "-unconnected-"}));
        w.PlayerList().setCurrentRow(0);
        QCOMPARE(w.DetailsList().topLevelItem(0)->text(1) +
                     w.DetailsList().topLevelItem(2)->text(1),
                 QStringLiteral("player-3"));
        w.PlayerList().clearSelection();
        QCOMPARE(w.DetailsList().topLevelItemCount(), 0);
        QVERIFY(w.RuleList().isVisibleTo(&d));
    }

    void LostPlayerReply_data() {
        QTest::addColumn<bool>("retry");
        QTest::addColumn<QString>("looks");
        QTest::newRow("retry") << true
                               << "Vantrel - Query Timed Out|Stop[3]|StartUpdates!|10|q1u0|Q-";
        QTest::newRow("cancel") << false
                                << "Vantrel - Query Timed Out|Query|StartUpdates!|0|q0u0|--";
    }
    void LostPlayerReply() {
        QFETCH(bool, retry);
        QueryWindow w;
        w.settings.timeout = 3;
        w.server.Config().players = DemoPlayers(3);
        w.server.Faults().droppedPlayers = {1};
        MainDialog& d = w.Open();
        w.PressQuery();
        QTRY_VERIFY(d.State().playerReplies == 2 && d.State().lastRuleName.Empty() &&
                    d.State().serverInfoReceived == 1);
        w.PlayerList().setCurrentRow(0);

        d.OnTimerTick(QueryTimer);
        d.OnTimerTick(QueryTimer);
        QCOMPARE(w.QueryButton().text(), QStringLiteral("Stop[1]"));
        w.Prompts().QueueAnswer(retry);
        d.OnTimerTick(QueryTimer);

        QTEST(w.Looks(), "looks");
        const ScriptedPrompts::Shown asked = w.Prompts().History().last();
        QVERIFY(asked.kind == ScriptedPrompts::Kind::RetryCancel && asked.caption == "Error");
        if (retry) {
            QCOMPARE(d.State().queryTicks, 0);
            QTRY_COMPARE(d.State().playerReplies, 2);
        } else {
            QCOMPARE(w.DetailsList().topLevelItemCount(), 0);
            QCOMPARE(w.PlayerItems(), (QStringList{"Ranger", "Shambler"}));
        }
    }

    // Stopped inside the rule chain: what arrived stays, and a following query that asks for no
    // rules still completes.
    void StopInsideTheRuleChain() {
        QueryWindow w;
        w.server.Config().players = DemoPlayers(2);
        w.server.Config().rules = DemoRules(10);
        w.server.Faults().droppedRules = {5};
        MainDialog& d = w.Open();
        d.setWindowTitle(QStringLiteral("Vantrel - Query Sucsess"));
        w.PressQuery();
        QTRY_VERIFY(w.RuleList().topLevelItemCount() == 5 && d.State().playerReplies == 2);

        w.QueryButton().click();
        QCOMPARE(w.Looks(), "Vantrel - Query Sucsess|Query|StartUpdates!|0|q0u0|--");
        QCOMPARE(w.PlayerList().count() * 100 + w.RuleList().topLevelItemCount(), 205);

        d.State().autoUpdating = 1;
        QVERIFY(w.QueryToTheEnd());
        QCOMPARE(w.RuleList().topLevelItemCount(), 0);
        QCOMPARE(w.ProgressBar().value(), 70);
    }
};

VANTREL_TEST(TestWholeQuery)
#include "TestWholeQuery.moc"
