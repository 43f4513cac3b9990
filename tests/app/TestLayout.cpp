#include "AboutDialog.h"
#include "DialogUnits.h"
#include "InfoLists.h"
#include "MainWindowFixture.h"
#include "OptionsDialog.h"
#include "SystemMenu.h"
#include "TestRegistry.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
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

// Everything lies inside the window and nothing overlaps, but for what is layered on purpose;
// every text fits its control.
void CheckTidy(QDialog& window) {
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

} // namespace

class TestLayout : public QObject {
    Q_OBJECT

private slots:
    void windows_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("units");
        QTest::newRow("mainwindow") << 0 << "Vantrel" << QSize(362, 233);
        QTest::newRow("options") << 1 << "Options" << QSize(177, 290);
        QTest::newRow("about") << 2 << "About Vantrel" << QSize(192, 245);
    }
    // Each window has its caption and its fixed size in dialog units, and is tidy; its picture is
    // saved beside the test for a look.
    void windows() {
        QFETCH(int, which);
        QFETCH(QString, caption);
        QFETCH(QSize, units);
        MainWindowFixture fixture;
        Settings settings;
        OptionsDialog options(settings, fixture.Store(), fixture.Prompts());
        AboutDialog about;
        QDialog* const windows[] = {&fixture.Start(), &options, &about};
        QDialog& d = *windows[which];
        const DialogUnits du = DialogUnits::ForFont(d.font());
        QCOMPARE(d.windowTitle(), caption);
        QCOMPARE(d.size(), du.Size(units.width(), units.height()));
        QCOMPARE(d.minimumSize(), d.maximumSize());

        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        const QString picture = QString::fromLatin1(QTest::currentDataTag()) + ".png";
        QVERIFY(d.grab().save(QCoreApplication::applicationDirPath() + u'/' + picture));
        CheckTidy(d);
    }

    void arithmetic_data() {
        QTest::addColumn<int>("listWidth");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("value");
        QTest::newRow("220") << 220 << 86 << 131;
        QTest::newRow("144") << 144 << 54 << 83;
        QTest::newRow("truncating") << 224 << 86 << 131;
    }
    // The list columns share a list's width two to three; dialog units round halves up.
    void arithmetic() {
        QFETCH(int, listWidth);
        QTEST(InfoColumnsFor(listWidth).key, "key");
        QTEST(InfoColumnsFor(listWidth).value, "value");
        QCOMPARE(DialogUnits(6, 13).Rect(7, 219, 348, 7), QRect(11, 356, 522, 11));
    }

    // The system keeps a command's low four bits for itself: 16 to 31 are all the About entry.
    void aboutCommand() {
        for (unsigned id : {0u, 15u, 16u, 17u, 31u, 32u, 0xF060u})
            QVERIFY2(IsAboutCommand(id) == (id >= 16 && id <= 31), qPrintable(QString::number(id)));
    }
};

VANTREL_TEST(TestLayout)
#include "TestLayout.moc"
