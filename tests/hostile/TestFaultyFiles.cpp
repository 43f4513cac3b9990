#include "QueryWindow.h"
#include "TestRegistry.h"
#include "TimerIds.h"
#include "standin/DemoConfig.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestFaultyFiles : public QObject {
    Q_OBJECT

private slots:
    // A name script that cannot be opened is skipped; the other sixteen files are still right.
    // Then the game folder goes away in the middle of a query: the replies are still handled,
    // nothing is said until the next press of the button, which then leaves the query running.
    void FaultyGameFolder() {
        QueryWindow w;
        w.server.Config().players = DemoPlayers(3);
        QVERIFY(QDir().mkpath(w.DataPath() + "/vtnm1.scr"));
        w.Open();
        QVERIFY(w.QueryToTheEnd());
        QCOMPARE(w.Script("vtnm0.scr") + w.Script("vtnm2.scr"),
                 "name \"Ranger\"\nname \"" + DemoPlayers(3)[2].name + "\"\n");
        QCOMPARE(w.Script("vantrel.scr").count("echo "), 3);
        w.server.Faults().delayMs = 50;
        w.PressQuery();
        QVERIFY(QDir(w.GamePath()).removeRecursively());
        QTRY_VERIFY(w.AllRepliesIn());
        QVERIFY(w.Prompts().History().isEmpty());
        QCOMPARE(w.PlayerList().count(), 3);
        w.QueryButton().click();
        QCOMPARE(w.Prompts().Texts(), QStringList{"Quake Directory Doesn't Exist"});
        QCOMPARE(w.Dialog().State().querying, 1);
    }
};

VANTREL_TEST(TestFaultyFiles)
#include "TestFaultyFiles.moc"
