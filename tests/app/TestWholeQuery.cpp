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
        QTest::newRow("sixteen players, forty rules") << 16 << 40 << 100;
        QTest::newRow("empty server") << 0 << 0 << 75;
        // Players beyond sixteen are listed and counted; only the first sixteen have name scripts.
        QTest::newRow("more than sixteen") << 20 << 3 << 100;
    }
    // The window's fields and lists, and the seventeen scripts byte for byte.
    void WholeQuery() {
        QFETCH(int, players);
        QFETCH(int, rules);
        QFETCH(int, progressAtEnd);
        QueryWindow w;
        w.server.Config().players = DemoPlayers(players);
        w.server.Config().rules = DemoRules(rules);
        MainDialog& d = w.Open();
        QSignalSpy progress(&w.ProgressBar(), &QProgressBar::valueChanged);
        w.PressQuery();
        QCOMPARE(w.Looks(), "Vantrel|Stop[20]|StartUpdates!|10|q1u0|Q-");
        QCOMPARE(w.Script("vantrel.scr").size(), 641 + 12);
        // An empty rule list's end shows only in the progress.
        QTRY_VERIFY(w.AllRepliesIn() && w.ProgressBar().value() == progressAtEnd);
        d.OnTimerTick(QueryTimer);
        QCOMPARE(w.Looks(), QStringLiteral("Vantrel - Query Sucsess|Query|StartUpdates!|%1|q0u0|--")
                                .arg(progressAtEnd));
        // 10 at the start, 20, 35 and 45 on the server info, then up to the end.
        const QList<int> positions = Positions(progress);
        QCOMPARE(positions.mid(0, 4), (QList<int>{10, 20, 35, 45}));
        QVERIFY(std::is_sorted(positions.begin(), positions.end()));

        const QList<StandInPlayer> sent = w.server.Config().players;
        QByteArray expected = ScriptHeader("Vantrel v.70") + "alias scrollnames \"";
        QByteArray echoes = players ? "myname\"\n" : ";myname\"\n";
        // Every player is echoed; the first sixteen have their name script and their turn.
        for (int i = 0; i < players; ++i) {
            echoes += EchoLine(i, sent[i].name);
            if (i >= 16)
                continue;
            expected += "nm" + QByteArray::number(i) + ";wait3;";
            QCOMPARE(w.Script(NameScript(i)), "name \"" + sent[i].name + "\"\n");
        }
        QCOMPARE(w.Script("vantrel.scr"), expected + echoes);
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
        QCOMPARE(w.PlayerItems(), sixteenShown);

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
        QByteArray main = ScriptHeader("Vantrel v.70") +
                          "alias scrollnames \"nm0;wait3;nm1;wait3;nm2;wait3;nm3;wait3;myname\"\n";
        for (int i = 0; i < names.size(); ++i) {
            main += EchoLine(i, names[i]);
            QCOMPARE(w.Script(NameScript(i)), "name \"" + names[i] + "\"\n");
        }
        QCOMPARE(w.Script("vantrel.scr"), main);
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

    // Every reply twice and the player replies in reverse: each player listed and echoed once.
    void DuplicatedAndReorderedReplies() {
        QueryWindow w;
        w.server.Config().players = DemoPlayers(5);
        w.server.Config().rules = DemoRules(6);
        w.server.Faults().duplicate = true;
        w.server.Faults().reversePlayerBurst = true;
        w.Open();
        QVERIFY(w.QueryToTheEnd());
        QTest::qWait(50);
        QCOMPARE(w.PlayerItems(), sixteenShown.mid(0, 5));
        QCOMPARE(w.RuleList().topLevelItemCount(), 6);
        QCOMPARE(w.Script("vantrel.scr").count("echo "), 5);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(w.Script(NameScript(i)).count('\n'), 1);
    }
};

VANTREL_TEST(TestWholeQuery)
#include "TestWholeQuery.moc"
