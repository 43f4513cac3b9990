#include "HistoryStore.h"
#include "TestRegistry.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime Start = QDateTime(QDate(2026, 3, 2), QTime(10, 0), Qt::UTC); // a Monday

HistorySample Answer(const QString& server, int ping, QList<QByteArray> names = {},
                     const QString& map = QStringLiteral("e1m1")) {
    HistorySample sample{server, true,
                         ping,   int(names.size()),
                         16,     QStringLiteral("A server"),
                         map,    QStringLiteral("id1"),
                         names};
    return sample;
}

HistorySample Silence(const QString& server) {
    HistorySample sample;
    sample.server = server;
    return sample;
}

} // namespace

class TestHistoryStore : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString Path() const { return dir.filePath(QStringLiteral("history.sqlite")); }

private slots:
    void init() {
        QVERIFY(dir.isValid());
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files))
            QVERIFY(QFile::remove(dir.filePath(name)));
    }

    void RecordsAndReadsRawSamples() {
        HistoryStore store;
        QVERIFY2(store.Open(Path()), qPrintable(store.Problem()));
        QVERIFY(store.Record({Answer("a:26000", 40, {"Wanderer", "grunt"}), Silence("b:26000")},
                             Start));
        QVERIFY(store.Record({Answer("a:26000", 60, {"grunt"}, "e1m2"), Silence("b:26000")},
                             Start.addSecs(60)));
        QVERIFY(store.Record({Silence("a:26000")}, Start.addSecs(3600)));

        const QList<HourRow> hours = store.Hours("a:26000", Start, Start.addDays(1));
        QCOMPARE(hours.size(), 2);
        QCOMPARE(hours[0].hour, Start);
        QCOMPARE(hours[0].answers, 2);
        QCOMPARE(hours[0].pingMedian, 50.0);
        QCOMPARE(hours[0].pingSpread, 16.0);
        QCOMPARE(hours[0].playersMean, 1.5);
        QCOMPARE(hours[0].playersMax, 2);
        QCOMPARE(hours[0].maps, QStringList({"e1m1", "e1m2"}));
        QCOMPARE(hours[1].silences, 1);
        QCOMPARE(hours[1].answers, 0);
        QCOMPARE(store.AllHours().size(), 3);
        QCOMPARE(store.Busy("a:26000")[0][10], 1.5);

        QCOMPARE(store.LastAnswered("a:26000"), Start.addSecs(60));
        QVERIFY(!store.LastAnswered("b:26000"));
        const QList<PlayerSeen> seen = store.PlayersSeenOn("a:26000", 10);
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[0].name, QByteArray("grunt"));
        QCOMPARE(seen[0].first, Start);
        QCOMPARE(seen[0].last, Start.addSecs(60));
        const auto wanderer = store.LastSeen("WAND");
        QVERIFY(wanderer);
        QCOMPARE(wanderer->server, QString("a:26000"));
        QCOMPARE(wanderer->last, Start);
    }
};

VANTREL_TEST(TestHistoryStore)
#include "TestHistoryStore.moc"
