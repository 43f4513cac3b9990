#include "TestRegistry.h"
#include "TimeStamp.h"

#include <QTest>

class TestTimeStamp : public QObject {
    Q_OBJECT

private slots:
    void SetSecondsFloorsBothParts_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("time");
        QTest::addColumn<int>("millitm");
        QTest::newRow("half") << 2.5 << 2 << 500;
        QTest::newRow("negative quarter") << -0.25 << -1 << 750;
        QTest::newRow("just below a millisecond") << 1.0009 << 1 << 0;
        QTest::newRow("large clock value") << 1234567890.047 << 1234567890 << 46;
        QTest::newRow("zero") << 0.0 << 0 << 0;
    }
    void SetSecondsFloorsBothParts() {
        QFETCH(double, x);
        QFETCH(int, time);
        QFETCH(int, millitm);
        TimeStamp t;
        t.SetSeconds(x);
        QCOMPARE(t.time, time);
        QCOMPARE(int(t.millitm), millitm);
    }

    void Seconds() { QCOMPARE(TimeStamp(3, 250).Seconds(), 3.25); }

    void MinusGivesTheSpan() {
        const TimeStamp receive(100, 47);
        const TimeStamp elapsed = receive.Minus(TimeStamp(100, 0).Seconds());
        QCOMPARE(elapsed.time, 0);
        QVERIFY(elapsed.millitm == 46 || elapsed.millitm == 47);
        QVERIFY(qAbs(elapsed.Seconds() * 1000 - 47) < 1.001);
    }

    void SteadyClockNeverGoesBack() {
        const TimeStamp first = TimeStamp::Now(SteadyClock::Instance());
        const TimeStamp second = TimeStamp::Now(SteadyClock::Instance());
        QVERIFY(second.Seconds() >= first.Seconds());
    }
};

VANTREL_TEST(TestTimeStamp)
#include "TestTimeStamp.moc"
