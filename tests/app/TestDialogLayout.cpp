#include "MainWindowFixture.h"
#include "OptionsFixture.h"
#include "app/AboutDialog.h"
#include "app/ControlTable.h"
#include "app/DialogUnits.h"
#include "app/SystemMenu.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

QString Describe(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text().left(20);
    return control->objectName();
}

// Everything lies inside the window and nothing overlaps, but for what a group box frames; every
// text fits its control; and the picture is saved beside the test for a look.
void CheckTidy(QDialog& dialog, const QString& picture) {
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.grab().save(QCoreApplication::applicationDirPath() + u'/' + picture));
    const QWidgetList controls = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* a : controls) {
        QVERIFY2(dialog.rect().contains(a->geometry()), qPrintable(Describe(a)));
        for (QWidget* b : controls) {
            // Each value is rounded to pixels on its own, so neighbours may share one line.
            const QRect shared = a->geometry().intersected(b->geometry());
            if (a == b || shared.isEmpty() || shared.width() == 1 || shared.height() == 1)
                continue;
            const bool framed =
                (qobject_cast<QGroupBox*>(a) && a->geometry().contains(b->geometry())) ||
                (qobject_cast<QGroupBox*>(b) && b->geometry().contains(a->geometry()));
            // The template puts the OK button inside the picture's frame.
            const QStringList framedButton{"picture", "okButton"};
            const bool button =
                framedButton.contains(a->objectName()) && framedButton.contains(b->objectName());
            QVERIFY2(framed || button,
                     qPrintable(Describe(a) + QStringLiteral(" overlaps ") + Describe(b)));
        }
    }
    for (QLabel* label : dialog.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->wordWrap())
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                     qPrintable(label->text()));
        else
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
    }
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(box->text()));
    for (QPushButton* button : dialog.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
        const int textWidth = button->fontMetrics().horizontalAdvance(button->text());
        QVERIFY2(textWidth < button->width(), qPrintable(button->text()));
    }
}

} // namespace

class TestDialogLayout : public QObject {
    Q_OBJECT

private slots:
    void optionsFollowsItsTemplate();
    void optionsLooksTidy();
    void aboutFollowsItsTemplate();
    void aboutLooksTidy();
    void aboutCloses_data();
    void aboutCloses();
    void aboutCommand_data();
    void aboutCommand();
};

void TestDialogLayout::optionsFollowsItsTemplate() {
    OptionsFixture f;
    OptionsDialog& dialog = f.Dialog();
    const DialogUnits du = DialogUnits::ForFont(dialog.font());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));
    QCOMPARE(dialog.size(), du.Size(177, 290));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QCOMPARE(FindControl<QWidget>(dialog, "quakepath")->geometry(), du.Rect(21, 227, 121, 12));
    QCOMPARE(FindControl<QWidget>(dialog, "browseButton")->geometry(), du.Rect(143, 227, 11, 12));
    QCOMPARE(FindControl<QWidget>(dialog, "updatetime")->geometry(), du.Rect(31, 103, 95, 12));
    QCOMPARE(FindControl<QCheckBox>(dialog, "asciiserver")->text(),
             QStringLiteral("ASCII convert server info"));
    QCOMPARE(FindControl<QWidget>(dialog, "asciiserver")->pos(), du.Rect(35, 21, 95, 10).topLeft());
    auto* ok = FindControl<QPushButton>(dialog, "okButton");
    QCOMPARE(ok->geometry(), du.Rect(26, 269, 50, 14));
    QVERIFY(ok->isDefault());
    QVERIFY(!FindControl<QPushButton>(dialog, "cancelButton")->isDefault());

    QStringList tabOrder;
    for (const ControlSpec& spec : OptionsWindowTemplate().controls) {
        if (spec.id != NoControlId)
            tabOrder << QString::fromLatin1(spec.name);
    }
    QStringList chain;
    for (QWidget* w = dialog.nextInFocusChain(); w != &dialog; w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            chain << w->objectName();
    }
    QCOMPARE(chain, tabOrder);
}

void TestDialogLayout::optionsLooksTidy() {
    OptionsFixture f;
    CheckTidy(f.Dialog(), QStringLiteral("options.png"));
}

void TestDialogLayout::aboutFollowsItsTemplate() {
    AboutDialog about;
    const DialogUnits du = DialogUnits::ForFont(about.font());
    QCOMPARE(about.windowTitle(), QStringLiteral("About Vantrel"));
    QCOMPARE(about.size(), du.Size(192, 245));
    auto* ok = FindControl<QPushButton>(about, "okButton");
    QCOMPARE(ok->geometry(), du.Rect(70, 16, 50, 14));
    QVERIFY(ok->isDefault());
    auto* picture = FindControl<QLabel>(about, "picture");
    QCOMPARE(picture->geometry(), du.Rect(59, 5, 72, 35));
    QVERIFY(!picture->pixmap().isNull());
    QCOMPARE(FindControl<QGroupBox>(about, "thanks")->geometry(), du.Rect(26, 86, 141, 82));
}

void TestDialogLayout::aboutLooksTidy() {
    AboutDialog about;
    CheckTidy(about, QStringLiteral("about.png"));
}

void TestDialogLayout::aboutCloses_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("OK") << "ok";
    QTest::newRow("Enter") << "enter";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("close box") << "close";
}

void TestDialogLayout::aboutCloses() {
    QFETCH(QString, how);
    AboutDialog about;
    QTimer::singleShot(0, &about, [&] {
        if (how == "ok")
            FindControl<QPushButton>(about, "okButton")->click();
        else if (how == "enter")
            QTest::keyClick(&about, Qt::Key_Return);
        else if (how == "escape")
            QTest::keyClick(&about, Qt::Key_Escape);
        else
            about.close();
    });
    about.exec();
    QVERIFY(!about.isVisible());
}

void TestDialogLayout::aboutCommand_data() {
    QTest::addColumn<unsigned>("id");
    QTest::addColumn<bool>("about");
    for (unsigned id = 16; id <= 31; ++id)
        QTest::addRow("%u", id) << id << true;
    QTest::newRow("15") << 15u << false;
    QTest::newRow("32") << 32u << false;
    QTest::newRow("0") << 0u << false;
    QTest::newRow("close") << 0xF060u << false;
}

void TestDialogLayout::aboutCommand() {
    QFETCH(unsigned, id);
    QFETCH(bool, about);
    QCOMPARE(IsAboutCommand(id), about);
}

int RunDialogLayoutTests(int argc, char** argv) {
    TestDialogLayout test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestDialogLayout.moc"
