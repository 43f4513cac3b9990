#include "QueryWindow.h"
#include "app/AboutDialog.h"
#include "app/OptionsDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString FirstRunMessage =
    "It apears this is your first time running Vantrel.\r\nYou will now have a chance to configure "
    "Vantrel's options.\r\nYou can get back to these by clicking the options button from "
    "Vantrel's main screen.";
const QString Refusal = "Please stop the current server query/autoupdate or wait for it to "
                        "complete before opening the options dialog.";

// Acts on the Options dialog once its modal run has begun, then ends it with OK or Cancel.
void WhenOptionsOpen(std::function<void(OptionsDialog&)> edit, bool accept) {
    QTimer::singleShot(0, [edit, accept] {
        auto* dialog = qobject_cast<OptionsDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        edit(*dialog);
        const char* button = accept ? "okButton" : "cancelButton";
        dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    });
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
            [](OptionsDialog& d) {
                d.findChild<QLineEdit*>(QStringLiteral("quakename"))->setText("Newcomer");
            },
            accept);
        MainDialog& d = w.StartFirstTime();
        QCOMPARE(w.Prompts().Texts().first(), FirstRunMessage);
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
        MainDialog& d = w.Open();
        if (cycle)
            d.findChild<QPushButton*>(QStringLiteral("updatesButton"))->click();
        else
            w.PressQuery();
        bool opened = false;
        QTimer::singleShot(0, [&opened] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = true;
                modal->close();
            }
        });
        d.findChild<QPushButton*>(QStringLiteral("optionsButton"))->click();
        QCOMPARE(w.Prompts().Texts(), QStringList{Refusal});
        QTest::qWait(10);
        QVERIFY(!opened);
    }

    // After OK the updates button follows the auto-update option alone.
    void OkEnablesTheUpdatesButton() {
        QueryWindow w;
        w.settings.nametrickery = 0;
        MainDialog& d = w.Open();
        QPushButton& updates = *d.findChild<QPushButton*>(QStringLiteral("updatesButton"));
        QVERIFY(!updates.isEnabled());
        WhenOptionsOpen(
            [](OptionsDialog& o) {
                o.findChild<QCheckBox*>(QStringLiteral("autoupdate"))->setChecked(true);
            },
            true);
        d.findChild<QPushButton*>(QStringLiteral("optionsButton"))->click();
        QVERIFY(updates.isEnabled());
        QCOMPARE(w.Store().value("settings/autoupdate").toInt(), 1);

        WhenOptionsOpen(
            [](OptionsDialog& o) {
                o.findChild<QCheckBox*>(QStringLiteral("autoupdate"))->setChecked(false);
            },
            false);
        d.findChild<QPushButton*>(QStringLiteral("optionsButton"))->click();
        QVERIFY(updates.isEnabled());
        QCOMPARE(d.CurrentSettings().autoupdate, 1);
    }

    void AboutButton() {
        QueryWindow w;
        MainDialog& d = w.Open();
        QString caption;
        QTimer::singleShot(0, [&caption] {
            auto* about = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
            QVERIFY(about);
            caption = about->windowTitle();
            about->accept();
        });
        d.findChild<QPushButton*>(QStringLiteral("aboutButton"))->click();
        QCOMPARE(caption, QStringLiteral("About Vantrel"));
    }
};

QTEST_MAIN(TestOptionsButton)
#include "TestOptionsButton.moc"
