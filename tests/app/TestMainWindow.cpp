#include "OptionsDialog.h"
#include "QueryWindow.h"
#include "TestRegistry.h"
#include "TimerIds.h"

#include <QCheckBox>
#include <QLabel>
#include <QTabBar>
#include <QtTest>

namespace {

const QString Notice = QStringLiteral("If you made any changes you will have to re-query the "
                                      "server for some of these options to take effect.");
const QString FixIt = QStringLiteral(" does not exist.\r\nWould you like to fix it?");
const QString FolderQuestion = "The specified quake directory" + FixIt;
const QString DataQuestion = QStringLiteral(
    "No Quake\\ID1 directory was found.\r\nWould you like to return to the options?");
const QString ExeQuestion = "The specified quake executable" + FixIt;

// An open Options dialog on a store that holds the defaults, but for a game executable in the
// game folder and name trickery at 2, which is not on. It reads into `loaded`.
struct OptionsWindow : MainWindowFixture {
    OptionsWindow() {
        QFile(GamePath() + "/quake.exe").open(QIODevice::WriteOnly);
        settings.exe = QStringLiteral("quake.exe");
        settings.nametrickery = 2;
        settings.SaveSettings(Store());
        dialog.show();
    }

    Settings loaded;
    OptionsDialog dialog{loaded, Store(), Prompts()};
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void startUp_data() {
        QTest::addColumn<int>("nametrickery");
        QTest::addColumn<int>("autoupdate");
        QTest::addColumn<bool>("folderGone");
        QTest::addColumn<bool>("updatesEnabled");
        QTest::newRow("both on") << 1 << 1 << false << true;
        QTest::newRow("name trickery off") << 0 << 1 << false << false;
        // Start-up tests the name trickery flag against 0, not against 1.
        QTest::newRow("name trickery 2") << 2 << 1 << false << true;
        // Auto-update off as well: the updates button follows it alone.
        QTest::newRow("game folder gone, auto-update off") << 1 << 0 << true << false;
    }
    void startUp() {
        QFETCH(int, nametrickery);
        QFETCH(int, autoupdate);
        QFETCH(bool, folderGone);
        MainWindowFixture w;
        w.settings.nametrickery = nametrickery;
        w.settings.autoupdate = autoupdate;
        if (folderGone)
            w.settings.quakepath += QStringLiteral("-gone");
        {
            QFile stale(w.DataPath() + "/vantrel.scr");
            QVERIFY(stale.open(QIODevice::WriteOnly) && stale.write("echo stale\n") == 11);
        }
        MainDialog& d = w.Start();
        d.show();
        // Start-up empties the list of the last session's players.
        QVERIFY(!w.Script("vantrel.scr").contains("stale") || folderGone);
        // A missing game folder is told, in a box of the main window, and start-up goes on.
        QCOMPARE(w.Prompts().Texts(),
                 folderGone ? QStringList{"Quake Directory Doesn't Exist"} : QStringList());
        for (const ScriptedPrompts::Shown& shown : w.Prompts().History())
            QVERIFY(shown.caption == "Vantrel" && shown.parent == &d);
        QCOMPARE(d.CurrentSettings().quakepath, w.settings.quakepath);
        QVERIFY(w.Control<QTreeWidget>("ruleList").isVisible());
        QVERIFY(!w.Control<QTreeWidget>("detailsList").isVisible());
        QTEST(w.Control<QPushButton>("updatesButton").isEnabled(), "updatesEnabled");
        QStringList shown;
        for (const char* field : {"serverHost", "port", "currentPlayers", "ping"})
            shown << w.Control<QLineEdit>(field).text() + u'=' +
                         w.Control<QLineEdit>(field).accessibleName();
        QCOMPARE(shown, (QStringList{"=Server:", "26000=Port:", "0=Current Players", "0=Ping"}));
        const QList<QLabel*> labels = d.findChildren<QLabel*>();
        QVERIFY(std::any_of(labels.begin(), labels.end(), [&w](const QLabel* label) {
            return label->text() == "Port:" && label->buddy() == &w.Control<QLineEdit>("port");
        }));
        QCOMPARE(w.Looks().remove(u'!'), "Vantrel|Query|StartUpdates|0|q0u0|--");
        QVERIFY(!d.windowIcon().pixmap(32).isNull());
    }

    void dataExchange_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("port");
        const QString range = QStringLiteral("Please enter an integer between 1 and 65535.");
        const QString integer = QStringLiteral("Please enter an integer.");
        const auto row = [](const char* control, const char* typed, const QString& message,
                            int port) {
            QTest::addRow("%s '%s'", control, typed) << control << typed << message << port;
        };
        // A number out of range is stored before it is refused; a text that is none is not.
        row("port", "0", range, 0);
        row("port", "65536", range, 65536);
        row("port", " 65535 ", {}, 65535);
        row("port", "26000a", integer, 27000);
        row("ping", "fast", QStringLiteral("Please enter a number."), 27000);
    }
    // A refused text shows its message, takes the focus with its text selected and stops the
    // exchange there: the ping, read last, stays as it was. The ping is shown as every view shows
    // it, and a number read back is taken to whole milliseconds.
    void dataExchange() {
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        MainWindowFixture w;
        MainDialog& d = w.Start();
        d.show();
        d.Fields().port = 27000;
        d.Fields().ping = {333, true};
        d.ShowFields();
        QCOMPARE(w.Control<QLineEdit>("ping").text(), "~333");
        w.Control<QLineEdit>("ping").setText(QStringLiteral("4.5e1"));
        QLineEdit& edit = w.Control<QLineEdit>(control.toLatin1().constData());
        edit.setText(typed);

        QCOMPARE(d.ReadFields(), message.isEmpty());
        QTEST(d.Fields().port, "port");
        QCOMPARE(d.Fields().ping, (message.isEmpty() ? Ping{45} : Ping{333, true}));
        QCOMPARE(w.Prompts().Texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (message.isEmpty())
            return;
        QCOMPARE(w.Prompts().History().first().caption, QStringLiteral("Vantrel"));
        QCOMPARE(d.focusWidget(), &edit);
        QCOMPARE(edit.selectedText(), typed);
    }

    void options_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QString>("kept");
        const auto row = [](const char* control, const char* typed, bool yes,
                            const QStringList& asked, const char* kept = "") {
            QTest::addRow("%s '%s'", control, typed) << control << typed << yes << asked << kept;
        };
        row("timeout", "121", false, {"Please enter an integer between 1 and 120."});
        row("timeout", "1", false, {Notice}, "1");
        row("updatetime", "6001", false, {"Please enter an integer between 1 and 6000."});
        row("watchseconds", "29", false, {"Please enter an integer between 30 and 600."});
        // Only one trailing separator goes; the game folder lies under the temporary folder.
        row("quakepath", "/game//", false, {Notice}, "/game/");
        row("quakepath", "/gone", true, {FolderQuestion});
        row("quakepath", "", true, {DataQuestion});
        row("exe", "vantrel-test-no-such-game", true, {ExeQuestion});
        row("quakepath", "/gone", false, {FolderQuestion, DataQuestion, ExeQuestion, Notice},
            "/gone");
    }
    // The dialog opens with the stored options and asks its questions in a box of its own. A
    // value refused, or a question answered to fix it, keeps it open; accepted, it closes after
    // its notice with its fields read.
    void options() {
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(bool, yes);
        QFETCH(QStringList, asked);
        QFETCH(QString, kept);
        OptionsWindow f;
        QCOMPARE(ControlNamed<QLineEdit>(f.dialog, "quakename")->text(), f.settings.quakename);
        QLineEdit* edit = ControlNamed<QLineEdit>(f.dialog, control.toLatin1().constData());
        const QString base = control == "quakepath" ? f.GamePath().chopped(5) : QString();
        edit->setText(base + typed);
        for (qsizetype i = 0; i < asked.size(); ++i)
            f.Prompts().QueueAnswer(yes);
        ControlNamed<QPushButton>(f.dialog, "okButton")->click();
        QCOMPARE(f.Prompts().Texts(), asked);
        for (const ScriptedPrompts::Shown& shown : f.Prompts().History())
            QVERIFY(shown.caption == "Vantrel" && shown.parent == &f.dialog);
        QCOMPARE(f.dialog.isVisible(), kept.isEmpty());
        if (kept.isEmpty())
            return;
        f.dialog.ShowFields();
        QCOMPARE(edit->text(), base + kept);
        QCOMPARE(f.loaded.nametrickery, 0);
        QCOMPARE(f.loaded.timeout, control == "timeout" ? 1 : 20);
    }

    // The first start tells, in a box of the main window, then opens the Options; later starts
    // ask nothing.
    void firstStart() {
        MainWindowFixture w;
        w.settings.SaveSettings(w.Store());
        WhenOptionsOpen(
            [](OptionsDialog& d) { ControlNamed<QLineEdit>(d, "quakename")->setText("Newcomer"); },
            true);
        MainDialog& d = w.StartFirstTime();
        QVERIFY(w.Prompts().Texts().first().startsWith("It apears this is your first time"));
        QCOMPARE(w.Prompts().History().first().parent, &d);
        QCOMPARE(d.CurrentSettings().quakename, "Newcomer");
        w.Prompts().Clear();
        QCOMPARE(w.StartFirstTime().CurrentSettings().quakename, "Newcomer");
        QVERIFY(w.Prompts().Texts().isEmpty());
    }

    // After OK the updates button follows the auto-update option alone; Cancel keeps the options.
    // While the updates run, the options are not opened.
    void optionsButton() {
        QueryWindow w;
        w.settings.nametrickery = 0;
        MainDialog& d = w.Open();
        QPushButton& updates = w.Control<QPushButton>("updatesButton");
        for (const bool ticked : {true, false}) {
            WhenOptionsOpen(
                [ticked](OptionsDialog& o) {
                    ControlNamed<QCheckBox>(o, "autoupdate")->setChecked(ticked);
                },
                ticked);
            w.Control<QPushButton>("optionsButton").click();
            QVERIFY(updates.isEnabled());
            QCOMPARE(w.Store().value("settings/autoupdate").toInt(), 1);
            QCOMPARE(d.CurrentSettings().autoupdate, 1);
        }
        updates.click();
        w.Prompts().Clear();
        w.Control<QPushButton>("optionsButton").click();
        QCOMPARE(w.Prompts().Texts(),
                 QStringList{"Please stop the current server query/autoupdate or wait for it to "
                             "complete before opening the options dialog."});
    }
};

VANTREL_TEST(TestMainWindow)
#include "TestMainWindow.moc"
