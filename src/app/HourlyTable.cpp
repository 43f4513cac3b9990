#include "HourlyTable.h"

#include <QHeaderView>

namespace {

enum HourColumn {
    HourColumn,
    AnswersColumn,
    SilentColumn,
    PingColumn,
    SpreadColumn,
    MeanColumn,
    MostColumn,
    MapsColumn
};

QTableWidgetItem* Number(double value) {
    auto* item = new QTableWidgetItem(QString::number(value, 'f', value == int(value) ? 0 : 1));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

double SilentPercent(const HourRow& row) {
    const int refreshes = row.answers + row.silences;
    return refreshes == 0 ? 0 : 100.0 * row.silences / refreshes;
}

HourlyTable::HourlyTable(QWidget* parent) : QTableWidget(parent) {
    setAccessibleName(QStringLiteral("Hours"));
    setAccessibleDescription(QStringLiteral("The charts' numbers, an hour a row, latest first"));
    setEditTriggers(NoEditTriggers);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    setColumnCount(MapsColumn + 1);
    setHorizontalHeaderLabels({QStringLiteral("Hour"), QStringLiteral("Answers"),
                               QStringLiteral("Silent %"), QStringLiteral("Ping"),
                               QStringLiteral("Spread"), QStringLiteral("Players"),
                               QStringLiteral("Most"), QStringLiteral("Maps")});
    horizontalHeader()->setStretchLastSection(true);
    setMinimumHeight(fontMetrics().height() * 10);
}

void HourlyTable::Show(const QList<HourRow>& rows) {
    setRowCount(int(rows.size()));
    for (int i = 0; i < rowCount(); ++i) {
        const HourRow& hour = rows[rows.size() - 1 - i];
        setItem(i, HourColumn,
                new QTableWidgetItem(
                    hour.hour.toLocalTime().toString(QStringLiteral("ddd d MMM HH:00"))));
        setItem(i, AnswersColumn, Number(hour.answers));
        setItem(i, SilentColumn, Number(SilentPercent(hour)));
        setItem(i, PingColumn, Number(hour.pingMedian));
        setItem(i, SpreadColumn, Number(hour.pingSpread));
        setItem(i, MeanColumn, Number(hour.playersMean));
        setItem(i, MostColumn, Number(hour.playersMax));
        setItem(i, MapsColumn, new QTableWidgetItem(hour.maps.join(QStringLiteral(", "))));
    }
    resizeColumnsToContents();
}
