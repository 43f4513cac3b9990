#include "QuakeToAscii.h"
#include "TestRegistry.h"

#include <QByteArray>
#include <QTest>
#include <array>
#include <cstring>

namespace {

// The conversion written down again row by row, apart from the table in the code, so that a
// slip in either one shows up.
struct Row {
    int first;
    int last;
    int output; // the output byte, or 0 for input + offset
    int offset;
};

constexpr std::array<Row, 28> rows = {{
    {1, 4, '|', 0},     {5, 5, '.', 0},     {6, 9, '|', 0},     {10, 10, ' ', 0},
    {11, 11, '|', 0},   {12, 13, ' ', 0},   {14, 15, '.', 0},   {16, 16, '[', 0},
    {17, 17, ']', 0},   {18, 27, 0, 30},    {28, 28, '.', 0},   {29, 31, '-', 0},
    {32, 127, 0, 0},    {128, 130, '-', 0}, {131, 132, '|', 0}, {133, 133, '.', 0},
    {134, 137, '|', 0}, {138, 138, ' ', 0}, {139, 139, '|', 0}, {140, 140, ' ', 0},
    {141, 141, '>', 0}, {142, 143, '.', 0}, {144, 144, '[', 0}, {145, 145, ']', 0},
    {146, 155, 0, -98}, {156, 156, '.', 0}, {157, 159, '-', 0}, {160, 255, 0, -128},
}};

int Expected(int input) {
    for (const Row& row : rows) {
        if (input >= row.first && input <= row.last)
            return row.output != 0 ? row.output : input + row.offset;
    }
    return -1;
}

QByteArray Converted(QByteArray text) {
    QuakeToAscii(text.data());
    return text;
}

} // namespace

class TestQuakeToAscii : public QObject {
    Q_OBJECT

private slots:
    void EveryByte_data() {
        QTest::addColumn<int>("input");
        QTest::addColumn<int>("output");
        for (int input = 1; input <= 255; ++input)
            QTest::addRow("%d", input) << input << Expected(input);
    }
    void EveryByte() {
        QFETCH(int, input);
        QFETCH(int, output);
        QVERIFY(output >= 32 && output <= 127);
        QCOMPARE(
            int(static_cast<unsigned char>(QuakeToAsciiByte(static_cast<unsigned char>(input)))),
            output);

        char text[] = {'a', static_cast<char>(input), 'z', '\0'};
        QuakeToAscii(text);
        QCOMPARE(int(static_cast<unsigned char>(text[1])), output);
        QCOMPARE(text[0], 'a');
        QCOMPARE(text[2], 'z');
        QCOMPARE(text[3], '\0');
    }

    void EmptyTextStaysEmpty() {
        char text[] = {'\0', '\x8D', '\0'};
        QuakeToAscii(text);
        QCOMPARE(text[0], '\0');
        QCOMPARE(text[1], '\x8D');
    }

    void WholeTextKeepsLengthAndIsStable() {
        QByteArray all;
        for (int b = 255; b >= 1; --b)
            all += char(b);
        const QByteArray once = Converted(all);
        QCOMPARE(once.size(), all.size());
        QCOMPARE(qstrlen(once.constData()), size_t(all.size()));
        QCOMPARE(Converted(once), once);
    }

    void StopsAtTheEndingZero() {
        char text[] = {'\xA0', '\0', '\xA0', '\0'};
        QuakeToAscii(text);
        QCOMPARE(text[0], ' ');
        QCOMPARE(text[2], '\xA0');
    }
};

VANTREL_TEST(TestQuakeToAscii)
#include "TestQuakeToAscii.moc"
