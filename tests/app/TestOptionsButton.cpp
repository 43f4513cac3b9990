#include "AboutDialog.h"
#include "OptionsDialog.h"
#include "QueryWindow.h"
#include "TestRegistry.h"

#include <QApplication>
#include <QCheckBox>
#include <QTest>
#include <QTimer>

namespace {

const QString FirstRunMessage =
    "It apears this is your first time running Vantrel.\r\nYou will now have a chance to configure "
    "Vantrel's options.\r\nYou can get back to these by clicking the options button from "
    "Vantrel's main screen.";

// Acts on the Options dialog once its modal run has begun, then ends it with OK or Cancel.
void WhenOptionsOpen(std::function<void(OptionsDialog&)> edit, bool accept) {
    QTimer::singleShot(0, [edit, accept] {
        auto* dialog = qobject_cast<OptionsDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        edit(*dialog);
        FindControl<QPushButton>(*dialog, accept ? "okButton" : "cancelButton")->click();
    });
}

void TickAutoUpdate(bool ticked, bool accept) {
    WhenOptionsOpen(
        [ticked](OptionsDialog& o) { FindControl<QCheckBox>(o, "autoupdate")->setChecked(ticked); },
        accept);
}

} // namespace

class TestOptionsButton : public QObject {
    Q_OBJECT

private slots:
    void FirstStart_data() {
        QTest::addColumn<bool>("accept");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void FirstStart() {
        QFETCH(bool, accept);
        QueryWindow w;
        w.settings.SaveSettings(w.Store());
        WhenOptionsOpen(
            [](OptionsDialog& d) { FindControl<QLineEdit>(d, "quakename")->setText("Newcomer"); },
            accept);
        MainDialog& d = w.StartFirstTime();
        QCOMPARE(w.Prompts().Texts().first(), FirstRunMessage);
        // Start-up's boxes are the main window's children, as every later one is.
        QCOMPARE(w.Prompts().History().first().parent, &d);
        QCOMPARE(ReadFirstRun(w.Store()), 0);
        const QString expected = accept ? "Newcomer" : "Vantrel v.70";
        QCOMPARE(d.CurrentSettings().quakename, expected);
        QCOMPARE(w.Store().value("settings/quakename").toString(), expected);

        // Later starts ask nothing.
        w.Prompts().Clear();
        MainDialog& again = w.StartFirstTime();
        QVERIFY(w.Prompts().Texts().isEmpty());
        QCOMPARE(again.CurrentSettings().quakename, expected);
    }

    void RefusedWhileBusy_data() {
        QTest::addColumn<bool>("cycle");
        QTest::newRow("query") << false;
        QTest::newRow("auto-update") << true;
    }
    void RefusedWhileBusy() {
        QFETCH(bool, cycle);
        QueryWindow w;
        w.settings.autoupdate = 1;
        w.server.Faults().dropServerInfo = true;
        w.Open();
        if (cycle)
            w.Control<QPushButton>("updatesButton").click();
        else
            w.PressQuery();
        bool opened = false;
        QTimer::singleShot(0, [&opened] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = true;
                modal->close();
            }
        });
        w.Control<QPushButton>("optionsButton").click();
        QCOMPARE(w.Prompts().Texts(),
                 QStringList{"Please stop the current server query/autoupdate or wait for it to "
                             "complete before opening the options dialog."});
        QTest::qWait(10);
        QVERIFY(!opened);
    }

    // After OK the updates button follows the auto-update option alone.
    void OkEnablesTheUpdatesButton() {
        QueryWindow w;
        w.settings.nametrickery = 0;
        MainDialog& d = w.Open();
        QPushButton& updates = w.Control<QPushButton>("updatesButton");
        QVERIFY(!updates.isEnabled());
        TickAutoUpdate(true, true);
        w.Control<QPushButton>("optionsButton").click();
        QVERIFY(updates.isEnabled());
        QCOMPARE(w.Store().value("settings/autoupdate").toInt(), 1);

        TickAutoUpdate(false, false);
        w.Control<QPushButton>("optionsButton").click();
        QVERIFY(updates.isEnabled());
        QCOMPARE(d.CurrentSettings().autoupdate, 1);
    }

    void AboutButton() {
        QueryWindow w;
        w.Open();
        QString caption;
        bool closedByOk = false;
        QTimer::singleShot(0, [&] {
            auto* about = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
            QVERIFY(about);
            caption = about->windowTitle();
            FindControl<QPushButton>(*about, "okButton")->click();
            closedByOk = !about->isVisible();
            about->reject();
        });
        w.Control<QPushButton>("aboutButton").click();
        QCOMPARE(caption, QStringLiteral("About Vantrel"));
        QVERIFY(closedByOk);
    }
};

VANTREL_TEST(TestOptionsButton)
#include "TestOptionsButton.moc"
