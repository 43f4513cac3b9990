#include "AboutDialog.h"
#include "OptionsAcceptance.h"
#include "OptionsDialog.h"
#include "QueryWindow.h"
#include "TestRegistry.h"

#include <QCheckBox>
#include <QtTest>

namespace {

const QString Notice = QStringLiteral("If you made any changes you will have to re-query the "
                                      "server for some of these options to take effect.");
const QString FolderQuestion =
    QStringLiteral("The specified quake directory does not exist.\r\nWould you like to fix it?");
const QString DataQuestion = QStringLiteral(
    "No Quake\\ID1 directory was found.\r\nWould you like to return to the options?");
const QString ExeQuestion =
    QStringLiteral("The specified quake executable does not exist.\r\nWould you like to fix it?");

// An open Options dialog on a store that holds `settings`: the defaults, but for a real game
// folder with its ID1 folder and a game executable, and name trickery at 2, which is not on. The
// dialog reads into `loaded`, which starts out empty as the caller's settings do.
struct OptionsWindow : MainWindowFixture {
    OptionsWindow() {
        QFile(GamePath() + "/quake.exe").open(QIODevice::WriteOnly);
        settings.exe = QStringLiteral("quake.exe");
        settings.nametrickery = 2;
        settings.SaveSettings(Store());
        dialog.show();
    }
    QLineEdit* Edit(const char* name) { return FindControl<QLineEdit>(dialog, name); }
    void Click(const char* button) { FindControl<QPushButton>(dialog, button)->click(); }

    Settings loaded;
    OptionsDialog dialog{loaded, Store(), Prompts()};
};

// Edits the Options dialog once it is open, then ends it with OK or Cancel.
void WhenOptionsOpen(std::function<void(OptionsDialog&)> edit, bool accept) {
    WhenOpen<OptionsDialog>([edit, accept](OptionsDialog* dialog) {
        QVERIFY(dialog);
        edit(*dialog);
        FindControl<QPushButton>(*dialog, accept ? "okButton" : "cancelButton")->click();
    });
}

} // namespace

class TestOptions : public QObject {
    Q_OBJECT

private slots:
    void okButton_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("kept");
        const auto row = [](const char* control, const char* typed, const QString& message,
                            const char* kept = "") {
            QTest::addRow("%s '%s'", control, typed) << control << typed << message << kept;
        };
        row("timeout", "121", QStringLiteral("Please enter an integer between 1 and 120."));
        row("timeout", "1", {}, "1");
        row("updatetime", "6001", QStringLiteral("Please enter an integer between 1 and 6000."));
        row("updatetime", "1", {}, "1");
        // Only one trailing separator goes; the game folder lies under the temporary folder.
        row("quakepath", "/game/", {}, "/game");
        row("quakepath", "/game//", {}, "/game/");
    }
    // The dialog opens with the stored options. Accepted, it closes after its notice with its
    // fields read; a refused value keeps it open.
    void okButton() {
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, kept);
        OptionsWindow f;
        QCOMPARE(f.Edit("quakename")->text(), f.settings.quakename);
        QLineEdit* edit = f.Edit(control.toLatin1().constData());
        const QString base = control == "quakepath" ? f.GamePath().chopped(5) : QString();
        edit->setText(base + typed);
        f.Click("okButton");
        QCOMPARE(f.Prompts().Texts(), QStringList{message.isEmpty() ? Notice : message});
        QCOMPARE(f.dialog.isVisible(), !message.isEmpty());
        if (message.isEmpty()) {
            f.dialog.ShowFields();
            QCOMPARE(edit->text(), base + kept);
            QCOMPARE(f.loaded.nametrickery, 0);
            QCOMPARE(f.loaded.timeout, control == "timeout" ? 1 : 20);
        }
        // The root is the one folder whose separator is all there is to it.
        QCOMPARE(WithoutTrailingSeparator(QStringLiteral("/")), QStringLiteral("/"));
        QCOMPARE(WithoutTrailingSeparator(QString()), QString());
    }

    void questions_data() {
        QTest::addColumn<QString>("missing");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("asked");
        QTest::newRow("folder, fix it") << "folder" << true << QStringList{FolderQuestion};
        QTest::newRow("ID1, return") << "ID1" << true << QStringList{DataQuestion};
        QTest::newRow("exe, fix it") << "exe" << true << QStringList{ExeQuestion};
        QTest::newRow("all, go on")
            << "all" << false << QStringList{FolderQuestion, DataQuestion, ExeQuestion, Notice};
    }
    void questions() {
        QFETCH(QString, missing);
        QFETCH(bool, yes);
        QFETCH(QStringList, asked);
        OptionsWindow f;
        if (missing == "folder" || missing == "all")
            f.Edit("quakepath")->setText(f.GamePath() + "-gone");
        if (missing == "ID1")
            QDir(f.DataPath()).removeRecursively();
        if (missing == "exe" || missing == "all")
            f.Edit("exe")->setText(QStringLiteral("vantrel-test-no-such-game"));
        for (qsizetype i = 0; i < asked.size(); ++i)
            f.Prompts().QueueAnswer(yes);
        f.Click("okButton");
        QCOMPARE(f.Prompts().Texts(), asked);
        for (const ScriptedPrompts::Shown& shown : f.Prompts().History())
            QVERIFY(shown.caption == "Vantrel" && shown.parent == &f.dialog);
        QCOMPARE(f.dialog.isVisible(), yes);
        QCOMPARE(f.dialog.result() == QDialog::Accepted, !yes);
    }

    // The picker starts at the folder shown; the other edits survive it, and a cancelled picker
    // changes nothing.
    void browse() {
        OptionsWindow f;
        const QString chosen = QDir::toNativeSeparators(f.GamePath() + "-other");
        f.Prompts().QueueFolder(f.GamePath() + "-other");
        f.Edit("quakename")->setText(QStringLiteral("Typed"));
        for (int i = 0; i < 2; ++i) {
            f.Click("browseButton");
            const ScriptedPrompts::Shown& picker = f.Prompts().History().last();
            QCOMPARE(picker.kind, ScriptedPrompts::Kind::PickFolder);
            QCOMPARE(picker.text, i == 0 ? f.GamePath() : chosen);
            QCOMPARE(f.Edit("quakename")->text(), QStringLiteral("Typed"));
            QCOMPARE(f.Edit("quakepath")->text(), chosen);
            QCOMPARE(f.loaded.quakepath + u'/' + f.loaded.quakename, chosen + "/Typed");
        }
    }

    void firstStart_data() {
        QTest::addColumn<bool>("accept");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    // The first start tells, in a box of the main window, then opens the Options; later starts
    // ask nothing.
    void firstStart() {
        QFETCH(bool, accept);
        QueryWindow w;
        w.settings.SaveSettings(w.Store());
        WhenOptionsOpen(
            [](OptionsDialog& d) { FindControl<QLineEdit>(d, "quakename")->setText("Newcomer"); },
            accept);
        MainDialog& d = w.StartFirstTime();
        QVERIFY(w.Prompts().Texts().first().startsWith("It apears this is your first time"));
        QCOMPARE(w.Prompts().History().first().parent, &d);
        QCOMPARE(ReadFirstRun(w.Store()), 0);
        const QString expected = accept ? "Newcomer" : "Vantrel v.70";
        QCOMPARE(d.CurrentSettings().quakename, expected);
        QCOMPARE(w.Store().value("settings/quakename").toString(), expected);
        w.Prompts().Clear();
        QCOMPARE(w.StartFirstTime().CurrentSettings().quakename, expected);
        QVERIFY(w.Prompts().Texts().isEmpty());
    }

    // After OK the updates button follows the auto-update option alone; Cancel keeps the options.
    // While the updates run, the options are not opened.
    void optionsButton() {
        QueryWindow w;
        w.settings.nametrickery = 0;
        MainDialog& d = w.Open();
        QPushButton& updates = w.Control<QPushButton>("updatesButton");
        QVERIFY(!updates.isEnabled());
        for (const bool ticked : {true, false}) {
            WhenOptionsOpen(
                [ticked](OptionsDialog& o) {
                    FindControl<QCheckBox>(o, "autoupdate")->setChecked(ticked);
                },
                ticked);
            w.Control<QPushButton>("optionsButton").click();
            QVERIFY(updates.isEnabled());
            QCOMPARE(w.Store().value("settings/autoupdate").toInt(), 1);
            QCOMPARE(d.CurrentSettings().autoupdate, 1);
        }

        updates.click();
        w.Prompts().Clear();
        bool opened = false;
        WhenOpen<QWidget>([&opened](QWidget* modal) {
            opened = modal != nullptr;
            if (modal)
                modal->close();
        });
        w.Control<QPushButton>("optionsButton").click();
        QCOMPARE(w.Prompts().Texts(),
                 QStringList{"Please stop the current server query/autoupdate or wait for it to "
                             "complete before opening the options dialog."});
        QTest::qWait(10);
        QVERIFY(!opened);
    }

    void aboutButton() {
        QueryWindow w;
        w.Open();
        // The caption of the box that its OK button closed.
        QString caption;
        WhenOpen<AboutDialog>([&caption](AboutDialog* about) {
            QVERIFY(about);
            FindControl<QPushButton>(*about, "okButton")->click();
            caption = about->isVisible() ? QString() : about->windowTitle();
            about->reject();
        });
        w.Control<QPushButton>("aboutButton").click();
        QCOMPARE(caption, QStringLiteral("About Vantrel"));
    }
};

VANTREL_TEST(TestOptions)
#include "TestOptions.moc"
