#include "QuakeToAscii.h"
#include "TestRegistry.h"

#include <QByteArray>
#include <QTest>

class TestQuakeToAscii : public QObject {
    Q_OBJECT

private slots:
    // The graphic bytes as a player sees them, apart from the table in the code so that a slip
    // in either shows; the printable bytes stay, and their copies above 160 read as them.
    void EveryByte() {
        const QByteArray graphic = "||||.|||| |  ..[]0123456789.---";
        const QByteArray graphicHigh = "---||.|||| | >..[]0123456789.---";
        QByteArray all;
        for (int b = 1; b <= 255; ++b)
            all += char(b);
        QByteArray expected = graphic;
        for (int b = 32; b <= 127; ++b)
            expected += char(b);
        expected += graphicHigh + expected.mid(31);
        QuakeToAscii(all.data());
        QCOMPARE(all, expected);
        for (int b = 0; b <= 255; ++b)
            QCOMPARE(QuakeToAsciiByte(uchar(b)), b == 0 ? '\0' : expected[b - 1]);
    }

    void StopsAtTheEndingZero() {
        char text[] = {'\xA0', '\0', '\xA0', '\0'};
        QuakeToAscii(text);
        QCOMPARE(QByteArray(text, 4), QByteArray(" \0\xA0\0", 4));
    }
};

VANTREL_TEST(TestQuakeToAscii)
#include "TestQuakeToAscii.moc"
