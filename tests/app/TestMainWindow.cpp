#include "AboutDialog.h"
#include "InfoLists.h"
#include "MainWindowFixture.h"
#include "OptionsDialog.h"
#include "SystemMenu.h"
#include "TestRegistry.h"
#include "TimerIds.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QtTest>

namespace {

QString Describe(const QWidget* control) {
    return control->objectName() + u' ' + control->property("text").toString().left(20);
}

// Controls that the templates lay over one another: the lists in the tab control, and the
// About box's OK button in the picture's frame. A group box frames what lies inside it.
bool Layered(const QWidget* a, const QWidget* b) {
    const QStringList tabbed{"ruleList", "detailsList", "infoTabs"};
    return (qobject_cast<const QGroupBox*>(a) && a->geometry().contains(b->geometry())) ||
           (tabbed.contains(a->objectName()) && tabbed.contains(b->objectName())) ||
           (a->objectName() == "picture" && b->objectName() == "okButton");
}

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
        QTest::newRow("auto-update off") << 1 << 0 << false << false;
        // Start-up tests the name trickery flag against 0, not against 1.
        QTest::newRow("name trickery 2") << 2 << 1 << false << true;
        QTest::newRow("game folder gone") << 1 << 0 << true << false;
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
        MainDialog& d = w.Start();
        d.show();
        // A missing game folder is told, in a box of the main window, and start-up goes on.
        QCOMPARE(w.Prompts().Texts(),
                 folderGone ? QStringList{"Quake Directory Doesn't Exist"} : QStringList());
        for (const ScriptedPrompts::Shown& shown : w.Prompts().History())
            QVERIFY(shown.caption == "Vantrel" && shown.parent == &d);
        QCOMPARE(d.windowTitle(), QStringLiteral("Vantrel"));
        QCOMPARE(d.CurrentSettings().quakepath, w.settings.quakepath);

        QCOMPARE(w.Control<QTabBar>("infoTabs").currentIndex(), 0);
        auto& rules = w.Control<QTreeWidget>("ruleList");
        auto& details = w.Control<QTreeWidget>("detailsList");
        QVERIFY(rules.isVisible() && !details.isVisible());
        // The lists lie in the tab control's rectangle, on top of it.
        QWidget* atCentre = d.childAt(rules.geometry().center());
        QVERIFY(atCentre == &rules || rules.isAncestorOf(atCentre));
        QVERIFY(!rules.isHeaderHidden() && details.isHeaderHidden());
        const InfoColumnWidths widths = InfoColumnsFor(rules.width());
        for (const QTreeWidget* list : {&rules, &details})
            QCOMPARE(list->columnWidth(0) * 1000 + list->columnWidth(1),
                     widths.key * 1000 + widths.value);

        QCOMPARE(w.Control<QPushButton>("updatesButton").text(), QStringLiteral("StartUpdates"));
        QTEST(w.Control<QPushButton>("updatesButton").isEnabled(), "updatesEnabled");
        QStringList shown;
        for (const char* field : {"serverHost", "port", "currentPlayers", "ping"})
            shown << w.Control<QLineEdit>(field).text();
        QCOMPARE(shown, (QStringList{"", "26000", "0", "0"}));
        QVERIFY(d.State().querying == 0 && d.State().autoUpdating == 0);
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
        QTEST(d.Fields().port, "port");
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

    void tidy_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("main window") << 0;
        QTest::newRow("options") << 1;
        QTest::newRow("about") << 2;
    }
    // Everything lies inside the window and nothing overlaps, but for what is layered on
    // purpose; every text fits its control.
    void tidy() {
        QFETCH(int, which);
        MainWindowFixture fixture;
        Settings settings;
        OptionsDialog options(settings, fixture.Store(), fixture.Prompts());
        AboutDialog about;
        QDialog* const windows[] = {&fixture.Start(), &options, &about};
        QDialog& window = *windows[which];
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QWidgetList controls = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (const QWidget* a : controls) {
            const QByteArray name = Describe(a).toUtf8();
            QVERIFY2(window.rect().contains(a->geometry()), name);
            for (const QWidget* b : controls) {
                // Each value is rounded to pixels on its own, so neighbours may share a line.
                const QRect shared = a->geometry().intersected(b->geometry());
                QVERIFY2(a == b || Layered(a, b) || Layered(b, a) || shared.width() <= 1 ||
                             shared.height() <= 1,
                         name + " overlaps " + Describe(b).toUtf8());
            }
            const auto* label = qobject_cast<const QLabel*>(a);
            const QString text = a->property("text").toString();
            if (label && label->wordWrap())
                QVERIFY2(label->heightForWidth(a->width()) <= a->height(), name);
            else if (qobject_cast<const QPushButton*>(a))
                QVERIFY2(a->fontMetrics().horizontalAdvance(text) < a->width(), name);
            else if (label || qobject_cast<const QCheckBox*>(a))
                QVERIFY2(a->sizeHint().width() <= a->width(), name);
        }
    }

    // The system keeps a command's low four bits for itself: 16 to 31 are all the About entry.
    void aboutCommand() {
        for (unsigned id : {0u, 15u, 16u, 17u, 31u, 32u, 0xF060u})
            QVERIFY2(IsAboutCommand(id) == (id >= 16 && id <= 31), qPrintable(QString::number(id)));
    }
};

VANTREL_TEST(TestMainWindow)
#include "TestMainWindow.moc"
