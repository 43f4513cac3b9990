#include "MainWindowFixture.h"
#include "app/ControlTable.h"
#include "app/DialogUnits.h"
#include "app/InfoLists.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

QString Describe(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    return control->objectName();
}

} // namespace

class TestWindowLayout : public QObject {
    Q_OBJECT

private slots:
    void dialogUnitsToPixels_data();
    void dialogUnitsToPixels();
    void controlsFollowTheTemplate();
    void columnWidths_data();
    void columnWidths();
    void listColumnsFromTheRuleList();
    void freshWindowIsTidy();
};

void TestWindowLayout::dialogUnitsToPixels_data() {
    QTest::addColumn<int>("charWidth");
    QTest::addColumn<int>("fontHeight");
    QTest::addColumn<QRect>("units");
    QTest::addColumn<QRect>("pixels");
    QTest::newRow("query button") << 6 << 13 << QRect(126, 19, 60, 30) << QRect(189, 31, 90, 49);
    // Halves round away from zero: 7 * 6 / 4 = 10.5.
    QTest::newRow("progress bar") << 6 << 13 << QRect(7, 219, 348, 7) << QRect(11, 356, 522, 11);
    QTest::newRow("rule list") << 7 << 15 << QRect(210, 118, 144, 97) << QRect(368, 221, 252, 182);
    QTest::newRow("window") << 6 << 13 << QRect(0, 0, 362, 233) << QRect(0, 0, 543, 379);
}

void TestWindowLayout::dialogUnitsToPixels() {
    QFETCH(int, charWidth);
    QFETCH(int, fontHeight);
    QFETCH(QRect, units);
    QFETCH(QRect, pixels);
    const DialogUnits du(charWidth, fontHeight);
    QCOMPARE(du.Rect(units.x(), units.y(), units.width(), units.height()), pixels);
}

void TestWindowLayout::controlsFollowTheTemplate() {
    MainWindowFixture fixture;
    MainDialog& dialog = fixture.Start();
    const DialogUnits du = DialogUnits::ForFont(dialog.font());
    QCOMPARE(dialog.size(), du.Size(362, 233));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QVERIFY(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!dialog.windowIcon().isNull());

    QStringList tabOrder;
    for (const ControlSpec& spec : MainWindowTemplate().controls) {
        const QString name = QString::fromLatin1(spec.name);
        if (name.isEmpty())
            continue;
        QWidget* control = FindControl<QWidget>(dialog, spec.name);
        QVERIFY2(control, spec.name);
        QCOMPARE(control->geometry(), du.Rect(spec.x, spec.y, spec.w, spec.h));
        if (control->focusPolicy() & Qt::TabFocus)
            tabOrder << name;
    }
    QStringList chain;
    for (QWidget* w = dialog.nextInFocusChain(); w != &dialog; w = w->nextInFocusChain()) {
        if (w->parentWidget() == &dialog && (w->focusPolicy() & Qt::TabFocus))
            chain << w->objectName();
    }
    QCOMPARE(chain, tabOrder);

    // The lists lie inside the tab control's rectangle and must be on top of it.
    dialog.show();
    QTreeWidget* ruleList = FindControl<QTreeWidget>(dialog, "ruleList");
    QWidget* atCentre = dialog.childAt(ruleList->geometry().center());
    QVERIFY(atCentre == ruleList || ruleList->isAncestorOf(atCentre));
}

void TestWindowLayout::columnWidths_data() {
    QTest::addColumn<int>("listWidth");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("value");
    QTest::newRow("220") << 220 << 86 << 131;
    QTest::newRow("144") << 144 << 54 << 83;
    QTest::newRow("truncating") << 224 << 86 << 131;
}

void TestWindowLayout::columnWidths() {
    QFETCH(int, listWidth);
    QFETCH(int, key);
    QFETCH(int, value);
    QCOMPARE(InfoColumnsFor(listWidth).key, key);
    QCOMPARE(InfoColumnsFor(listWidth).value, value);
}

void TestWindowLayout::listColumnsFromTheRuleList() {
    MainWindowFixture fixture;
    MainDialog& dialog = fixture.Start();
    auto* rules = FindControl<QTreeWidget>(dialog, "ruleList");
    auto* details = FindControl<QTreeWidget>(dialog, "detailsList");
    const InfoColumnWidths widths = InfoColumnsFor(rules->width());
    for (QTreeWidget* list : {rules, details}) {
        QCOMPARE(list->columnWidth(0), widths.key);
        QCOMPARE(list->columnWidth(1), widths.value);
    }
    QCOMPARE(rules->headerItem()->text(0), QStringLiteral("Rule"));
    QCOMPARE(rules->headerItem()->text(1), QStringLiteral("Value"));
    QVERIFY(!rules->isHeaderHidden());
    QCOMPARE(details->headerItem()->text(0), QStringLiteral("Key"));
    QVERIFY(details->isHeaderHidden());
}

void TestWindowLayout::freshWindowIsTidy() {
    MainWindowFixture fixture;
    MainDialog& dialog = fixture.Start();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/mainwindow.png");
    QVERIFY(dialog.grab().save(path));
    // No two controls overlap, but for the lists inside the tab control.
    const QStringList sharing{"ruleList", "detailsList", "infoTabs"};
    const QWidgetList controls = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            QWidget* a = controls[i];
            QWidget* b = controls[j];
            if (sharing.contains(a->objectName()) && sharing.contains(b->objectName()))
                continue;
            QVERIFY2(!a->geometry().intersects(b->geometry()),
                     qPrintable(Describe(a) + QStringLiteral(" overlaps ") + Describe(b)));
        }
    }
    // Every caption fits its control.
    for (QLabel* label : dialog.findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
    for (QPushButton* button : dialog.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
        const int textWidth = button->fontMetrics().horizontalAdvance(button->text());
        QVERIFY2(textWidth < button->width(), qPrintable(button->text()));
    }
}

int RunWindowLayoutTests(int argc, char** argv) {
    TestWindowLayout test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestWindowLayout.moc"
