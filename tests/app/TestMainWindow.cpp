#include "InfoLists.h"
#include "MainWindowFixture.h"
#include "TestRegistry.h"
#include "TimerIds.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QtTest>

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
        QTest::newRow("auto-update off") << 1 << 0 << false << false;
        // Start-up tests the name trickery flag against 0, not against 1.
        QTest::newRow("name trickery 2") << 2 << 1 << false << true;
        QTest::newRow("game folder gone") << 1 << 0 << true << false;
    }
    void startUp() {
        QFETCH(int, nametrickery);
        QFETCH(int, autoupdate);
        QFETCH(bool, folderGone);
        QFETCH(bool, updatesEnabled);
        MainWindowFixture w;
        w.settings.nametrickery = nametrickery;
        w.settings.autoupdate = autoupdate;
        if (folderGone)
            w.settings.quakepath += QStringLiteral("-gone");
        MainDialog& d = w.Start();
        d.show();
        // A missing game folder is told, and start-up goes on.
        QCOMPARE(w.Prompts().Texts(),
                 folderGone ? QStringList{"Quake Directory Doesn't Exist"} : QStringList());
        for (const ScriptedPrompts::Shown& shown : w.Prompts().History())
            QCOMPARE(shown.caption, QStringLiteral("Vantrel"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel"));
        QCOMPARE(d.CurrentSettings().quakepath, w.settings.quakepath);

        auto& tabs = w.Control<QTabBar>("infoTabs");
        QCOMPARE(tabs.count(), 2);
        QCOMPARE((QStringList{tabs.tabText(0), tabs.tabText(1)}),
                 (QStringList{"Rule Info", "Player Info"}));
        QCOMPARE(tabs.currentIndex(), 0);
        auto& rules = w.Control<QTreeWidget>("ruleList");
        auto& details = w.Control<QTreeWidget>("detailsList");
        QVERIFY(rules.isVisible() && !details.isVisible());
        // The lists lie in the tab control's rectangle, on top of it.
        QWidget* atCentre = d.childAt(rules.geometry().center());
        QVERIFY(atCentre == &rules || rules.isAncestorOf(atCentre));
        QCOMPARE(rules.headerItem()->text(0), QStringLiteral("Rule"));
        QCOMPARE(rules.headerItem()->text(1), QStringLiteral("Value"));
        QVERIFY(!rules.isHeaderHidden() && details.isHeaderHidden());
        const InfoColumnWidths widths = InfoColumnsFor(rules.width());
        for (const QTreeWidget* list : {&rules, &details}) {
            QCOMPARE(list->columnWidth(0), widths.key);
            QCOMPARE(list->columnWidth(1), widths.value);
        }

        auto& progress = w.Control<QProgressBar>("progressBar");
        QCOMPARE((QList<int>{progress.minimum(), progress.maximum(), progress.value()}),
                 (QList<int>{0, 100, 0}));
        QCOMPARE(w.Control<QPushButton>("queryButton").text(), QStringLiteral("Query"));
        QCOMPARE(w.Control<QPushButton>("updatesButton").text(), QStringLiteral("StartUpdates"));
        QCOMPARE(w.Control<QPushButton>("updatesButton").isEnabled(), updatesEnabled);
        QStringList shown;
        for (const char* field : {"serverHost", "port", "currentPlayers", "ping"})
            shown << w.Control<QLineEdit>(field).text();
        QCOMPARE(shown, (QStringList{"", "26000", "0", "0"}));
        QCOMPARE(d.State().querying, 0);
        QCOMPARE(d.State().autoUpdating, 0);
        QVERIFY(!d.TimerArmed(QueryTimer) && !d.TimerArmed(UpdateTimer));
    }

    void dataExchange_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("port");
        const QString range = QStringLiteral("Please enter an integer between 1 and 65534.");
        const QString integer = QStringLiteral("Please enter an integer.");
        const auto row = [](const char* control, const char* typed, const QString& message,
                            int port) {
            QTest::addRow("%s '%s'", control, typed) << control << typed << message << port;
        };
        // A number out of range is stored before it is refused; a text that is none is not.
        row("port", "0", range, 0);
        row("port", "65535", range, 65535);
        row("port", "1", {}, 1);
        row("port", " 65534 ", {}, 65534);
        row("port", "26000a", integer, 27000);
        row("port", "4294967297", integer, 27000);
        row("currentPlayers", "x", integer, 27000);
        row("ping", "fast", QStringLiteral("Please enter a number."), 27000);
    }
    // A refused text shows its message, takes the focus with its text selected and stops the
    // exchange there: the ping, read last, stays as it was.
    void dataExchange() {
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(int, port);
        MainWindowFixture w;
        MainDialog& d = w.Start();
        d.show();
        d.Fields().port = 27000;
        d.Fields().ping = 12.5;
        d.ShowFields();
        w.Control<QLineEdit>("ping").setText(QStringLiteral("42"));
        QLineEdit& edit = w.Control<QLineEdit>(control.toLatin1().constData());
        edit.setText(typed);

        QCOMPARE(d.ReadFields(), message.isEmpty());
        QCOMPARE(d.Fields().port, port);
        QCOMPARE(d.Fields().ping, message.isEmpty() ? 42.0 : 12.5);
        QCOMPARE(w.Prompts().Texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (message.isEmpty())
            return;
        QCOMPARE(w.Prompts().History().first().caption, QStringLiteral("Vantrel"));
        QCOMPARE(d.focusWidget(), &edit);
        QCOMPARE(edit.selectedText(), typed);
    }

    // The C library's "%.*g" at precision 15, read back as shown.
    void ping_data() {
        QTest::addColumn<double>("ping");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fifteen digits") << 1000.0 / 3 << "333.333333333333";
        QTest::newRow("no exponent below precision") << 100000.0 << "100000";
        QTest::newRow("small") << 0.00001 << "1e-05";
        QTest::newRow("large") << 123456789012345678.0 << "1.23456789012346e+17";
    }
    void ping() {
        QFETCH(double, ping);
        QFETCH(QString, shown);
        MainWindowFixture w;
        MainDialog& d = w.Start();
        d.Fields().ping = ping;
        d.ShowFields();
        QCOMPARE(w.Control<QLineEdit>("ping").text(), shown);
        QVERIFY(d.ReadFields());
        QCOMPARE(d.Fields().ping, shown.toDouble());
    }
};

VANTREL_TEST(TestMainWindow)
#include "TestMainWindow.moc"
