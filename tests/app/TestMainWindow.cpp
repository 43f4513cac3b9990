#include "MainWindowFixture.h"
#include "query/TimerIds.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QtTest>

namespace {

QStringList Texts(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void startUpState();
    void updatesButtonAtStartUp_data();
    void updatesButtonAtStartUp();
    void missingGameFolderAtStartUp();
    void playerItemsInNumberOrder();
    void selectionAndTabsSwitchLists();
    void progressHeldInRange();
    void enterQueriesEscapeCloses();
    void closingKillsRunningTimers_data();
    void closingKillsRunningTimers();
};

void TestMainWindow::startUpState() {
    MainWindowFixture fixture;
    MainDialog& dialog = fixture.Start();
    dialog.show();
    QVERIFY(fixture.Prompts().History().isEmpty());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Vantrel"));
    QCOMPARE(dialog.CurrentSettings().quakepath, fixture.GamePath());

    auto* tabs = FindControl<QTabBar>(dialog, "infoTabs");
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Rule Info"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Player Info"));
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(FindControl<QTreeWidget>(dialog, "ruleList")->isVisible());
    QVERIFY(!FindControl<QTreeWidget>(dialog, "detailsList")->isVisible());

    auto* progress = FindControl<QProgressBar>(dialog, "progressBar");
    QCOMPARE(progress->minimum(), 0);
    QCOMPARE(progress->maximum(), 100);
    QCOMPARE(dialog.Progress(), 0);

    auto* query = FindControl<QPushButton>(dialog, "queryButton");
    QCOMPARE(query->text(), QStringLiteral("Query"));
    QVERIFY(query->isDefault());
    QCOMPARE(FindControl<QPushButton>(dialog, "updatesButton")->text(),
             QStringLiteral("StartUpdates"));
    QCOMPARE(FindControl<QLineEdit>(dialog, "serverHost")->text(), QString());
    QCOMPARE(FindControl<QLineEdit>(dialog, "port")->text(), QStringLiteral("26000"));
    QCOMPARE(FindControl<QLineEdit>(dialog, "currentPlayers")->text(), QStringLiteral("0"));
    QCOMPARE(FindControl<QLineEdit>(dialog, "ping")->text(), QStringLiteral("0"));
    QVERIFY(FindControl<QLineEdit>(dialog, "serverName")->isReadOnly());
    QVERIFY(!FindControl<QLineEdit>(dialog, "serverName")->hasFrame());

    QCOMPARE(dialog.State().querying, 0);
    QCOMPARE(dialog.State().autoUpdating, 0);
    QVERIFY(!dialog.TimerArmed(QueryTimer));
    QVERIFY(!dialog.TimerArmed(UpdateTimer));
}

void TestMainWindow::updatesButtonAtStartUp_data() {
    QTest::addColumn<int>("nametrickery");
    QTest::addColumn<int>("autoupdate");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("both on") << 1 << 1 << true;
    QTest::newRow("name trickery off") << 0 << 1 << false;
    QTest::newRow("auto-update off") << 1 << 0 << false;
    QTest::newRow("both off") << 0 << 0 << false;
    // Start-up tests these two against 0, not against 1.
    QTest::newRow("neither 0 nor 1") << 2 << 1 << true;
}

void TestMainWindow::updatesButtonAtStartUp() {
    QFETCH(int, nametrickery);
    QFETCH(int, autoupdate);
    QFETCH(bool, enabled);
    MainWindowFixture fixture;
    fixture.settings.nametrickery = nametrickery;
    fixture.settings.autoupdate = autoupdate;
    MainDialog& dialog = fixture.Start();
    auto* updates = FindControl<QPushButton>(dialog, "updatesButton");
    QCOMPARE(updates->isEnabled(), enabled);
    QCOMPARE(updates->text(), QStringLiteral("StartUpdates"));
}

void TestMainWindow::missingGameFolderAtStartUp() {
    MainWindowFixture fixture;
    fixture.settings.quakepath = fixture.GamePath() + QStringLiteral("-gone");
    fixture.settings.nametrickery = 1;
    MainDialog& dialog = fixture.Start();
    QCOMPARE(fixture.Prompts().History().size(), 1);
    QCOMPARE(fixture.Prompts().History().first().caption, QStringLiteral("Vantrel"));
    QCOMPARE(fixture.Prompts().Texts(),
             QStringList{QStringLiteral("Quake Directory Doesn't Exist")});
    // Start-up goes on after the message.
    QCOMPARE(FindControl<QTabBar>(dialog, "infoTabs")->count(), 2);
    QCOMPARE(FindControl<QLineEdit>(dialog, "port")->text(), QStringLiteral("26000"));
}

void TestMainWindow::playerItemsInNumberOrder() {
    MainWindowFixture fixture;
    MainDialog& dialog = fixture.Start();
    dialog.InsertPlayerItem(1, QStringLiteral("one"), 0, 0);
    dialog.InsertPlayerItem(0, QStringLiteral("zero"), 0, 0);
    dialog.InsertPlayerItem(5, QStringLiteral("five"), 0, 0);
    dialog.InsertPlayerItem(2, QStringLiteral("two"), 0, 0);
    auto* list = FindControl<QListWidget>(dialog, "playerList");
    QCOMPARE(Texts(*list), (QStringList{"zero", "one", "two", "five"}));
    QCOMPARE(list->item(3)->data(Qt::UserRole).toInt(), 5);
}

void TestMainWindow::selectionAndTabsSwitchLists() {
    MainWindowFixture fixture;
    MainDialog& dialog = fixture.Start();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* players = FindControl<QListWidget>(dialog, "playerList");
    auto* tabs = FindControl<QTabBar>(dialog, "infoTabs");
    auto* rules = FindControl<QTreeWidget>(dialog, "ruleList");
    auto* details = FindControl<QTreeWidget>(dialog, "detailsList");
    dialog.InsertPlayerItem(0, QStringLiteral("zero"), 0, 0);
    dialog.InsertPlayerItem(3, QStringLiteral("three"), 0, 0);

    QTest::mouseClick(players->viewport(), Qt::LeftButton, {},
                      players->visualItemRect(players->item(1)).center());
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(details->isVisible() && !rules->isVisible());
    QCOMPARE(details->topLevelItemCount(), 7);
    QCOMPARE(details->topLevelItem(0)->text(0), QStringLiteral("Name"));

    players->clearSelection();
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(rules->isVisible() && !details->isVisible());
    QCOMPARE(details->topLevelItemCount(), 0);

    // By hand, each tab shows its own list.
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(details->isVisible() && !rules->isVisible());
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    QVERIFY(rules->isVisible() && !details->isVisible());

    // Emptying the lists at a query start is no change of selection.
    players->setCurrentRow(0);
    QCOMPARE(tabs->currentIndex(), 1);
    dialog.ClearLists();
    QCOMPARE(players->count(), 0);
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(details->isVisible());

    // The window is destroyed with a player selected: no handler may run on what is already gone.
    dialog.InsertPlayerItem(1, QStringLiteral("one"), 0, 0);
    players->setCurrentRow(0);
    QCOMPARE(details->topLevelItemCount(), 7);
}

void TestMainWindow::progressHeldInRange() {
    MainWindowFixture fixture;
    MainDialog& dialog = fixture.Start();
    dialog.SetProgress(45);
    QCOMPARE(dialog.Progress(), 45);
    dialog.SetProgress(145);
    QCOMPARE(dialog.Progress(), 100);
    dialog.SetProgress(-5);
    QCOMPARE(dialog.Progress(), 0);
}

void TestMainWindow::enterQueriesEscapeCloses() {
    MainWindowFixture fixture;
    fixture.RemoveDataFolder();
    MainDialog& dialog = fixture.Start();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(FindControl<QLineEdit>(dialog, "serverHost"), Qt::Key_Return);
    QCOMPARE(fixture.Prompts().Texts(),
             QStringList{QStringLiteral("Quake\\ID1 Directory Doesn't Exist")});
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TestMainWindow::closingKillsRunningTimers_data() {
    QTest::addColumn<int>("querying");
    QTest::addColumn<int>("autoUpdating");
    QTest::newRow("query") << 1 << 0;
    QTest::newRow("update cycle") << 0 << 1;
    QTest::newRow("both") << 1 << 1;
    QTest::newRow("neither") << 0 << 0;
}

void TestMainWindow::closingKillsRunningTimers() {
    QFETCH(int, querying);
    QFETCH(int, autoUpdating);
    MainWindowFixture fixture;
    MainDialog& dialog = fixture.Start();
    dialog.show();
    dialog.SetTimer(QueryTimer);
    dialog.SetTimer(UpdateTimer);
    dialog.State().querying = querying;
    dialog.State().autoUpdating = autoUpdating;
    dialog.close();
    QVERIFY(!dialog.isVisible());
    // Only the timers whose flag says they run are killed.
    QCOMPARE(dialog.TimerArmed(QueryTimer), querying != 1);
    QCOMPARE(dialog.TimerArmed(UpdateTimer), autoUpdating != 1);
}

int RunMainWindowTests(int argc, char** argv) {
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestMainWindow.moc"
