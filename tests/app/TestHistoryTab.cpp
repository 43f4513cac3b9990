#include "BusyHoursGrid.h"
#include "HistoryPane.h"
#include "HistoryStore.h"
#include "HourlyTable.h"
#include "TestRegistry.h"

#include <QChartView>
#include <QLineSeries>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

const QString Server = QStringLiteral("10.0.0.1:26000");

HistorySample Answer(const QString& server, int ping, int players, QList<QByteArray> names = {}) {
    return {server, true, ping, players, 16, "A server", "e1m1", "id1", names};
}

// Every row of the table: hour apart, the numbers joined by commas.
QStringList Numbers(const QTableView& table, const QList<int>& columns) {
    QStringList rows;
    for (int row = 0; row < table.model()->rowCount(); ++row) {
        QStringList cells;
        for (const int column : columns)
            cells << table.model()->index(row, column).data().toString();
        rows << cells.join(u',');
    }
    return rows;
}

QList<double> Values(const QWidget& pane, const QString& chart, const QString& series) {
    for (const QChartView* view : pane.findChildren<QChartView*>())
        for (const QAbstractSeries* line : view->chart()->series())
            if (view->chart()->title() == chart && line->name() == series) {
                QList<double> values;
                for (const QPointF& point : static_cast<const QLineSeries*>(line)->points())
                    values.prepend(point.y());
                return values;
            }
    return {};
}

} // namespace

class TestHistoryTab : public QObject {
    Q_OBJECT

private slots:
    // The tab shows the server's recorded hours, not its neighbour's, and the table a screen
    // reader reads holds the charts' numbers, the latest hour first.
    void ShowsRecordedHours() {
        QTemporaryDir dir;
        HistoryStore store;
        QVERIFY(store.Open(dir.filePath("history.sqlite")));
        // A Monday, half past noon.
        const QDateTime now(QDate(2026, 12, 7), QTime(12, 30), Qt::UTC);
        const auto at = [&](int minutesAgo) {
            return now.addSecs(-60 * minutesAgo);
        };
        QVERIFY(store.Record({Answer(Server, 40, 3, {"Alice"}), Answer("10.0.0.2:26000", 9, 9)},
                             at(140)));
        QVERIFY(store.Record({Answer(Server, 40, 5)}, at(130)));
        HistorySample silent;
        silent.server = Server;
        QVERIFY(store.Record({silent}, at(120)));
        QVERIFY(store.Record({Answer(Server, 70, 2, {"Bob"})}, at(50)));

        HistoryPane pane(&store);
        pane.show();
        pane.Show(Server, now, 0);
        QCOMPARE(pane.Message(), "10.0.0.1:26000: 2 hours kept in the last 7 days.");
        QCOMPARE(Numbers(pane.Hours(), {1, 2, 3, 5, 6}),
                 (QStringList{"1,0,70,2,2", "2,33.3,40,4,5"}));
        QCOMPARE(Values(pane, "Players, last 24 hours", "Mean"), (QList<double>{2, 4}));
        QCOMPARE(Values(pane, "Players, last 7 days", "Most"), (QList<double>{2, 5}));
        QCOMPARE(Values(pane, "Ping (ms), last 24 hours", "Median"), (QList<double>{70, 40}));
        QCOMPARE(Values(pane, "Silent refreshes (%), last 24 hours", "Silent").at(1), 100.0 / 3);
        QCOMPARE(pane.Busy().item(0, 10)->text() + ' ' + pane.Busy().item(0, 11)->text(),
                 "4.0 2.0");
        QCOMPARE(pane.Seen().topLevelItem(0)->text(0) + ',' + pane.Seen().topLevelItem(1)->text(0),
                 "Bob,Alice");
    }

    // Without history the tab says why, and shows nothing else.
    void SaysWhyWhenOff_data() {
        QTest::addColumn<bool>("withStore");
        QTest::addColumn<QString>("message");
        QTest::newRow("no store") << false << "History is off.";
        QTest::newRow("unusable file") << true << "History is off: ";
    }
    void SaysWhyWhenOff() {
        QFETCH(bool, withStore);
        QFETCH(QString, message);
        QTemporaryDir dir;
        HistoryStore store;
        // A folder where the file should be.
        QVERIFY(!store.Open(dir.path()));
        HistoryPane pane(withStore ? &store : nullptr);
        pane.show();
        pane.Show(Server, QDateTime::currentDateTimeUtc(), 0);
        QCOMPARE(pane.Message(), withStore ? message + store.Problem() : message);
        QVERIFY(!pane.Hours().isVisible());
    }
};

VANTREL_TEST(TestHistoryTab)
#include "TestHistoryTab.moc"
