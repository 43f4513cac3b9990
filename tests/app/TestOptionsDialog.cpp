#include "MainWindowFixture.h"
#include "OptionsAcceptance.h"
#include "OptionsDialog.h"
#include "TestRegistry.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
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

auto Values(const Settings& s) {
    return std::tie(s.asciinames, s.asciirules, s.asciiserver, s.nametrickery, s.quakepath,
                    s.quakename, s.timeout, s.commandline, s.exe, s.autoupdate, s.updatetime);
}

// An Options dialog on a store that holds `settings`: the defaults, but for a real game folder
// with its ID1 folder and a game executable. The dialog reads into `loaded`, which starts out
// empty as the caller's settings do.
struct OptionsWindow : MainWindowFixture {
    OptionsWindow() {
        QFile game(GamePath() + "/quake.exe");
        game.open(QIODevice::WriteOnly);
        settings.exe = QStringLiteral("quake.exe");
        settings.SaveSettings(Store());
    }
    OptionsDialog& Open() {
        dialog.show();
        return dialog;
    }
    QLineEdit* Edit(const char* name) { return FindControl<QLineEdit>(dialog, name); }
    QCheckBox* CheckBox(const char* name) { return FindControl<QCheckBox>(dialog, name); }
    void Click(const char* button) { FindControl<QPushButton>(dialog, button)->click(); }
    QString MissingPath() const { return GamePath() + "-gone"; }

    Settings loaded;
    OptionsDialog dialog{loaded, Store(), Prompts()};
};

} // namespace

class TestOptionsDialog : public QObject {
    Q_OBJECT

private slots:
    void opensWithStoredValues_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("cancel button") << "cancel";
        QTest::newRow("escape") << "escape";
        QTest::newRow("close box") << "close";
    }
    // Every opening shows the stored options; closing without OK reads none of the edits.
    void opensWithStoredValues() {
        QFETCH(QString, how);
        OptionsWindow f;
        // A flag is on when it is 1, not when it is anything but 0.
        f.settings.nametrickery = 2;
        f.settings.SaveSettings(f.Store());
        f.loaded.quakename = QStringLiteral("unsaved");
        OptionsDialog& dialog = f.Open();
        QVERIFY(Values(f.loaded) == Values(f.settings));
        QCOMPARE(f.Edit("quakename")->text(), f.settings.quakename);
        QCOMPARE(f.Edit("timeout")->text(), QStringLiteral("20"));
        QCOMPARE(f.Edit("commandline")->text(), QStringLiteral("-zone 512"));
        QVERIFY(f.CheckBox("asciinames")->isChecked());
        QVERIFY(!f.CheckBox("nametrickery")->isChecked());

        f.Edit("quakename")->setText(QStringLiteral("edited"));
        f.Edit("timeout")->setText(QStringLiteral("7"));
        f.CheckBox("asciinames")->setChecked(false);
        if (how == "cancel")
            f.Click("cancelButton");
        else if (how == "escape")
            QTest::keyClick(f.Edit("timeout"), Qt::Key_Escape);
        else
            dialog.close();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(f.Prompts().History().isEmpty());
        QVERIFY(Values(f.loaded) == Values(f.settings));
        f.Open();
        QCOMPARE(f.Edit("quakename")->text(), f.settings.quakename);
    }

    void okButton_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("kept");
        const auto row = [](const char* control, const char* typed, const QString& message,
                            const char* kept = "") {
            QTest::addRow("%s '%s'", control, typed) << control << typed << message << kept;
        };
        const QString integer = QStringLiteral("Please enter an integer.");
        const QString timeout = QStringLiteral("Please enter an integer between 1 and 120.");
        const QString interval = QStringLiteral("Please enter an integer between 1 and 6000.");
        row("timeout", "0", timeout);
        row("timeout", "121", timeout);
        row("timeout", "1", {}, "1");
        row("timeout", "120", {}, "120");
        row("timeout", "ten", integer);
        row("updatetime", "0", interval);
        row("updatetime", "6001", interval);
        row("updatetime", "6000", {}, "6000");
        row("updatetime", "", integer);
        // Only one trailing separator goes; the game folder lies under the temporary folder.
        row("quakepath", "/game/", {}, "/game");
        row("quakepath", "/game//", {}, "/game/");
        row("quakepath", "/game", {}, "/game");
#ifdef Q_OS_WIN
        row("quakepath", "\\game\\", {}, "\\game");
#endif
    }
    // An accepted dialog closes after its notice, its fields read; a refused value keeps it open
    // with the focus on that value.
    void okButton() {
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, kept);
        OptionsWindow f;
        OptionsDialog& dialog = f.Open();
        QLineEdit* edit = f.Edit(control.toLatin1().constData());
        const QString base = control == "quakepath" ? f.GamePath().chopped(5) : QString();
        edit->setText(base + typed);
        f.Click("okButton");
        QCOMPARE(f.Prompts().Texts(), QStringList{message.isEmpty() ? Notice : message});
        QCOMPARE(f.Prompts().History().first().caption, QStringLiteral("Vantrel"));
        QCOMPARE(dialog.isVisible(), !message.isEmpty());
        if (message.isEmpty()) {
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(edit->text(), base + kept);
            dialog.ShowFields();
            QCOMPARE(edit->text(), base + kept);
        } else {
            QCOMPARE(dialog.focusWidget(), edit);
            QCOMPARE(edit->selectedText(), typed);
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
        QTest::newRow("ID1, go on") << "ID1" << false << QStringList{DataQuestion, Notice};
        QTest::newRow("exe, go on") << "exe" << false << QStringList{ExeQuestion, Notice};
        QTest::newRow("all, go on")
            << "all" << false << QStringList{FolderQuestion, DataQuestion, ExeQuestion, Notice};
    }
    void questions() {
        QFETCH(QString, missing);
        QFETCH(bool, yes);
        QFETCH(QStringList, asked);
        OptionsWindow f;
        OptionsDialog& dialog = f.Open();
        if (missing == "folder" || missing == "all")
            f.Edit("quakepath")->setText(f.MissingPath());
        if (missing == "ID1")
            QDir(f.DataPath()).removeRecursively();
        if (missing == "exe" || missing == "all")
            f.Edit("exe")->setText(QStringLiteral("vantrel-test-no-such-game"));
        for (qsizetype i = 0; i < asked.size(); ++i)
            f.Prompts().QueueAnswer(yes);
        f.Click("okButton");

        QCOMPARE(f.Prompts().Texts(), asked);
        for (const ScriptedPrompts::Shown& shown : f.Prompts().History())
            QCOMPARE(shown.caption, QStringLiteral("Vantrel"));
        QCOMPARE(dialog.isVisible(), yes);
        QCOMPARE(dialog.result() == QDialog::Accepted, !yes);
    }

    void browse_data() {
        QTest::addColumn<bool>("chosen");
        QTest::newRow("folder chosen") << true;
        QTest::newRow("picker cancelled") << false;
    }
    void browse() {
        QFETCH(bool, chosen);
        OptionsWindow f;
        f.Open();
        if (chosen)
            f.Prompts().QueueFolder(f.MissingPath());
        f.Edit("quakename")->setText(QStringLiteral("Typed"));
        f.Click("browseButton");

        QCOMPARE(f.Prompts().History().size(), 1);
        const ScriptedPrompts::Shown& picker = f.Prompts().History().first();
        QCOMPARE(picker.kind, ScriptedPrompts::Kind::PickFolder);
        QCOMPARE(picker.caption, QStringLiteral("Please Select Your Quake Folder:"));
        QCOMPARE(picker.text, f.GamePath());
        // The other edits survive the browse whichever way it ends.
        QCOMPARE(f.Edit("quakename")->text(), QStringLiteral("Typed"));
        const QString path = chosen ? QDir::toNativeSeparators(f.MissingPath()) : f.GamePath();
        QCOMPARE(f.Edit("quakepath")->text(), path);
        QCOMPARE(f.loaded.quakepath, path);
        QCOMPARE(f.loaded.quakename, chosen ? QStringLiteral("Typed") : f.settings.quakename);
    }
};

VANTREL_TEST(TestOptionsDialog)
#include "TestOptionsDialog.moc"
