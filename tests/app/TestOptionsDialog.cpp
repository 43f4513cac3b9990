#include "MainWindowFixture.h"
#include "OptionsFixture.h"
#include "app/MessageBoxPrompts.h"
#include "app/OptionsAcceptance.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {

const QString FolderQuestion =
    QStringLiteral("The specified quake directory does not exist.\r\nWould you like to fix it?");
const QString DataQuestion = QStringLiteral(
    "No Quake\\ID1 directory was found.\r\nWould you like to return to the options?");
const QString ExeQuestion =
    QStringLiteral("The specified quake executable does not exist.\r\nWould you like to fix it?");
const QString MissingExe = QStringLiteral("vantrel-test-no-such-game");

bool SameSettings(const Settings& a, const Settings& b) {
    return a.asciinames == b.asciinames && a.asciirules == b.asciirules &&
           a.asciiserver == b.asciiserver && a.nametrickery == b.nametrickery &&
           a.quakepath == b.quakepath && a.quakename == b.quakename && a.timeout == b.timeout &&
           a.commandline == b.commandline && a.exe == b.exe && a.autoupdate == b.autoupdate &&
           a.updatetime == b.updatetime;
}

} // namespace

class TestOptionsDialog : public QObject {
    Q_OBJECT

private slots:
    void opensWithStoredValues();
    void rangeChecks_data();
    void rangeChecks();
    void refusalStopsTheExchange();
    void checkBoxes_data();
    void checkBoxes();
    void trailingSeparator_data();
    void trailingSeparator();
    void questions_data();
    void questions();
    void cancelKeepsLoadedSettings_data();
    void cancelKeepsLoadedSettings();
    void browse_data();
    void browse();
    void enterAcceptsModalRun();
    void messagesOverTheOpenDialog();
};

void TestOptionsDialog::opensWithStoredValues() {
    OptionsFixture f;
    f.settings.quakename = QStringLiteral("unsaved");
    f.settings.timeout = 99;
    f.Open();
    QVERIFY(SameSettings(f.settings, f.stored));
    QCOMPARE(f.Edit("quakename")->text(), f.stored.quakename);
    QCOMPARE(f.Edit("timeout")->text(), QStringLiteral("20"));
    QCOMPARE(f.Edit("commandline")->text(), QStringLiteral("-zone 512"));
    QVERIFY(f.CheckBox("asciinames")->isChecked());
    QVERIFY(!f.CheckBox("nametrickery")->isChecked());

    // Edits that were never saved are gone at the next opening.
    f.Edit("quakename")->setText(QStringLiteral("edited"));
    f.Dialog().reject();
    f.Open();
    QCOMPARE(f.Edit("quakename")->text(), f.stored.quakename);
}

void TestOptionsDialog::rangeChecks_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    const QString integer = QStringLiteral("Please enter an integer.");
    const QString timeout = QStringLiteral("Please enter an integer between 1 and 120.");
    const QString interval = QStringLiteral("Please enter an integer between 1 and 6000.");
    QTest::newRow("timeout 0") << "timeout"
                               << "0" << timeout;
    QTest::newRow("timeout 121") << "timeout"
                                 << "121" << timeout;
    QTest::newRow("timeout 1") << "timeout"
                               << "1" << QString();
    QTest::newRow("timeout 120") << "timeout"
                                 << "120" << QString();
    QTest::newRow("timeout text") << "timeout"
                                  << "ten" << integer;
    QTest::newRow("interval 0") << "updatetime"
                                << "0" << interval;
    QTest::newRow("interval 6001") << "updatetime"
                                   << "6001" << interval;
    QTest::newRow("interval 6000") << "updatetime"
                                   << "6000" << QString();
    QTest::newRow("interval empty") << "updatetime"
                                    << "" << integer;
}

void TestOptionsDialog::rangeChecks() {
    QFETCH(QString, control);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    OptionsFixture f;
    OptionsDialog& dialog = f.Open();
    QLineEdit* edit = f.Edit(control.toLatin1().constData());
    edit->setText(typed);
    f.ClickOk();

    if (message.isEmpty()) {
        QCOMPARE(f.Prompts().Texts(), QStringList{OptionsFixture::Notice});
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(control == "timeout" ? f.settings.timeout : f.settings.updatetime, typed.toInt());
        return;
    }
    QCOMPARE(f.Prompts().Texts(), QStringList{message});
    QCOMPARE(f.Prompts().History().first().caption, QStringLiteral("Vantrel"));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.focusWidget(), edit);
    QCOMPARE(edit->selectedText(), typed);
}

// The options are read in a fixed order; a refused one leaves those after it as they were.
void TestOptionsDialog::refusalStopsTheExchange() {
    OptionsFixture f;
    f.Open();
    f.Edit("quakename")->setText(QStringLiteral("Before"));
    f.Edit("timeout")->setText(QStringLiteral("0"));
    f.Edit("commandline")->setText(QStringLiteral("-after"));
    f.CheckBox("autoupdate")->setChecked(true);
    f.ClickOk();
    QCOMPARE(f.settings.quakename, QStringLiteral("Before"));
    QCOMPARE(f.settings.commandline, f.stored.commandline);
    QCOMPARE(f.settings.autoupdate, 0);

    f.Edit("timeout")->setText(QStringLiteral("5"));
    f.Edit("updatetime")->setText(QStringLiteral("0"));
    f.ClickOk();
    QCOMPARE(f.settings.timeout, 5);
    QCOMPARE(f.settings.commandline, QStringLiteral("-after"));
    QCOMPARE(f.settings.autoupdate, 1);
}

void TestOptionsDialog::checkBoxes_data() {
    QTest::addColumn<int>("storedValue");
    QTest::addColumn<bool>("shownTicked");
    QTest::addColumn<bool>("tick");
    QTest::addColumn<int>("read");
    QTest::newRow("1 shows ticked") << 1 << true << true << 1;
    QTest::newRow("0 ticked by the user") << 0 << false << true << 1;
    QTest::newRow("1 cleared by the user") << 1 << true << false << 0;
    QTest::newRow("2 is not on") << 2 << false << false << 0;
}

void TestOptionsDialog::checkBoxes() {
    QFETCH(int, storedValue);
    QFETCH(bool, shownTicked);
    QFETCH(bool, tick);
    QFETCH(int, read);
    OptionsFixture f;
    f.stored.nametrickery = storedValue;
    f.stored.SaveSettings(f.Store());
    f.Open();
    QCOMPARE(f.CheckBox("nametrickery")->isChecked(), shownTicked);
    f.CheckBox("nametrickery")->setChecked(tick);
    QVERIFY(f.Dialog().ReadFields());
    QCOMPARE(f.settings.nametrickery, read);
}

void TestOptionsDialog::trailingSeparator_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("one") << "/game/"
                         << "/game";
    QTest::newRow("only one of two") << "/game//"
                                     << "/game/";
    QTest::newRow("none") << "/game"
                          << "/game";
#ifdef Q_OS_WIN
    QTest::newRow("backslash") << "\\game\\"
                               << "\\game";
#endif
}

void TestOptionsDialog::trailingSeparator() {
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    OptionsFixture f;
    f.Open();
    const QString base = f.GamePath().chopped(5);
    f.Edit("quakepath")->setText(base + typed);
    f.ClickOk();
    QCOMPARE(f.Prompts().Texts(), QStringList{OptionsFixture::Notice});
    QCOMPARE(f.Dialog().result(), int(QDialog::Accepted));
    QCOMPARE(f.Edit("quakepath")->text(), base + kept);
    QCOMPARE(f.settings.quakepath, base + kept);
    // The root is the one folder whose separator is all there is to it.
    QCOMPARE(WithoutTrailingSeparator(QStringLiteral("/")), QStringLiteral("/"));
    QCOMPARE(WithoutTrailingSeparator(QString()), QString());
}

void TestOptionsDialog::questions_data() {
    QTest::addColumn<QString>("missing");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("asked");
    const QString& notice = OptionsFixture::Notice;
    QTest::newRow("folder, fix it") << "folder" << true << QStringList{FolderQuestion};
    QTest::newRow("ID1, return") << "ID1" << true << QStringList{DataQuestion};
    QTest::newRow("exe, fix it") << "exe" << true << QStringList{ExeQuestion};
    QTest::newRow("ID1, go on") << "ID1" << false << QStringList{DataQuestion, notice};
    QTest::newRow("exe, go on") << "exe" << false << QStringList{ExeQuestion, notice};
    QTest::newRow("all, go on") << "all" << false
                                << QStringList{FolderQuestion, DataQuestion, ExeQuestion, notice};
}

void TestOptionsDialog::questions() {
    QFETCH(QString, missing);
    QFETCH(bool, yes);
    QFETCH(QStringList, asked);
    OptionsFixture f;
    OptionsDialog& dialog = f.Open();
    if (missing == "folder" || missing == "all")
        f.Edit("quakepath")->setText(f.MissingPath());
    if (missing == "ID1")
        f.RemoveDataFolder();
    if (missing == "exe" || missing == "all")
        f.Edit("exe")->setText(MissingExe);
    for (qsizetype i = 0; i < asked.size(); ++i)
        f.Prompts().QueueAnswer(yes);
    f.ClickOk();

    QCOMPARE(f.Prompts().Texts(), asked);
    for (const ScriptedPrompts::Shown& shown : f.Prompts().History())
        QCOMPARE(shown.caption, QStringLiteral("Vantrel"));
    QCOMPARE(dialog.isVisible(), yes);
    QCOMPARE(dialog.result() == QDialog::Accepted, !yes);
    if (missing == "all") {
        QCOMPARE(f.settings.quakepath, f.MissingPath());
        QCOMPARE(f.settings.exe, MissingExe);
    }
}

void TestOptionsDialog::cancelKeepsLoadedSettings_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("cancel button") << "cancel";
    QTest::newRow("escape") << "escape";
    QTest::newRow("close box") << "close";
}

void TestOptionsDialog::cancelKeepsLoadedSettings() {
    QFETCH(QString, how);
    OptionsFixture f;
    OptionsDialog& dialog = f.Open();
    f.Edit("quakename")->setText(QStringLiteral("edited"));
    f.Edit("timeout")->setText(QStringLiteral("7"));
    f.CheckBox("asciinames")->setChecked(false);
    if (how == "cancel")
        FindControl<QPushButton>(dialog, "cancelButton")->click();
    else if (how == "escape")
        QTest::keyClick(f.Edit("timeout"), Qt::Key_Escape);
    else
        dialog.close();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(f.Prompts().History().isEmpty());
    QVERIFY(SameSettings(f.settings, f.stored));
}

void TestOptionsDialog::browse_data() {
    QTest::addColumn<bool>("chosen");
    QTest::newRow("folder chosen") << true;
    QTest::newRow("picker cancelled") << false;
}

void TestOptionsDialog::browse() {
    QFETCH(bool, chosen);
    OptionsFixture f;
    f.Open();
    const QString folder = f.MissingPath();
    if (chosen)
        f.Prompts().QueueFolder(folder);
    f.Edit("quakename")->setText(QStringLiteral("Typed"));
    FindControl<QPushButton>(f.Dialog(), "browseButton")->click();

    QCOMPARE(f.Prompts().History().size(), 1);
    const ScriptedPrompts::Shown& picker = f.Prompts().History().first();
    QCOMPARE(picker.kind, ScriptedPrompts::Kind::PickFolder);
    QCOMPARE(picker.caption, QStringLiteral("Please Select Your Quake Folder:"));
    QCOMPARE(picker.text, f.GamePath());
    // The other edits survive the browse whichever way it ends.
    QCOMPARE(f.Edit("quakename")->text(), QStringLiteral("Typed"));
    const QString path = chosen ? QDir::toNativeSeparators(folder) : f.GamePath();
    QCOMPARE(f.Edit("quakepath")->text(), path);
    QCOMPARE(f.settings.quakepath, path);
    QCOMPARE(f.settings.quakename, chosen ? QStringLiteral("Typed") : f.stored.quakename);
}

void TestOptionsDialog::enterAcceptsModalRun() {
    OptionsFixture f;
    f.stored.timeout = 30;
    f.stored.SaveSettings(f.Store());
    OptionsDialog& dialog = f.Dialog();
    QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(f.Edit("timeout"), Qt::Key_Return); });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(f.settings.timeout, 30);
    QCOMPARE(f.Prompts().Texts(), QStringList{OptionsFixture::Notice});
}

// The real boxes open over the dialog in front, not behind it over the main window.
void TestOptionsDialog::messagesOverTheOpenDialog() {
    OptionsFixture f;
    QWidget mainWindow;
    MessageBoxPrompts prompts(&mainWindow);
    QWidget* owner = nullptr;
    QTimer::singleShot(0, &f.Dialog(), [&] {
        QTimer::singleShot(0, &f.Dialog(), [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            owner = box ? box->parentWidget() : nullptr;
            if (box)
                box->accept();
            f.Dialog().reject();
        });
        prompts.Ok(QStringLiteral("Vantrel"), OptionsFixture::Notice);
    });
    f.Dialog().exec();
    QCOMPARE(owner, &f.Dialog());
}

int RunOptionsDialogTests(int argc, char** argv) {
    TestOptionsDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestOptionsDialog.moc"
