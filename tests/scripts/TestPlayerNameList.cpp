#include "GameFolder.h"
#include "scripts/PlayerNameList.h"

#include <QTest>

class TestPlayerNameList : public QObject {
    Q_OBJECT

private slots:
    void ResizeKeepsWhatFits() {
        PlayerNameList names;
        QCOMPARE(names.Size(), 0);
        QCOMPARE(names.At(0), std::string_view());
        names.Resize(3);
        names.Set(0, "a");
        names.Set(2, "c");
        names.Resize(2);
        QCOMPARE(names.Size(), 2);
        QCOMPARE(names.At(0), std::string_view("a"));
        QCOMPARE(names.At(1), std::string_view());
        names.Resize(3);
        QCOMPARE(names.At(2), std::string_view());
        names.Resize(-1);
        QCOMPARE(names.Size(), 0);
    }

    void OutOfRangeIsHarmless() {
        PlayerNameList names;
        names.Resize(2);
        names.Set(2, "x");
        names.Set(-1, "x");
        names.Set(255, "x");
        QCOMPARE(names.Size(), 2);
        QCOMPARE(names.At(2), std::string_view());
        QCOMPARE(names.At(-1), std::string_view());
        QCOMPARE(names.At(0), std::string_view());
    }
};

int RunPlayerNameListTests(int argc, char** argv) {
    TestPlayerNameList test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestPlayerNameList.moc"
