#include "HistoryCharts.h"

#include "HistoryChart.h"
#include "HourlyTable.h"

#include <QGridLayout>
#include <QLineSeries>
#include <algorithm>

namespace {

qreal At(const HourRow& row) {
    return qreal(row.hour.toMSecsSinceEpoch());
}

} // namespace

HistoryCharts::HistoryCharts(QWidget* parent) : QWidget(parent) {
    const QString hours = QStringLiteral("HH:mm");
    const QString days = QStringLiteral("ddd d");
    auto* day = new HistoryChart(QStringLiteral("Players, last 24 hours"), hours, this);
    dayMean = day->AddLine(QStringLiteral("Mean"));
    dayMost = day->AddLine(QStringLiteral("Most"));
    auto* week = new HistoryChart(QStringLiteral("Players, last 7 days"), days, this);
    weekMean = week->AddLine(QStringLiteral("Mean"));
    weekMost = week->AddLine(QStringLiteral("Most"));
    auto* ping = new HistoryChart(QStringLiteral("Ping (ms), last 24 hours"), hours, this);
    ping->AddBand(QStringLiteral("Spread"), pingHigh, pingLow);
    pingMedian = ping->AddLine(QStringLiteral("Median"));
    auto* silence =
        new HistoryChart(QStringLiteral("Silent refreshes (%), last 24 hours"), hours, this);
    silent = silence->AddLine(QStringLiteral("Silent"));
    charts = {day, week, ping, silence};

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < charts.size(); ++i)
        layout->addWidget(charts[i], i / 2, i % 2);
}

void HistoryCharts::Draw(const QList<HourRow>& rows, const QDateTime& now) {
    // The axes end at the next whole hour, so that their ticks fall on whole hours.
    const qint64 hour = now.toSecsSinceEpoch() / 3600 + 1;
    const QDateTime end = QDateTime::fromSecsSinceEpoch(hour * 3600, Qt::UTC);
    const QDateTime dayStart = end.addSecs(-3600 * DayHours);
    QList<QPointF> means, mosts, dayMeans, dayMosts, medians, highs, lows, silences;
    double most = 0;
    double dayMostValue = 0;
    double highest = 0;
    for (const HourRow& row : rows) {
        const qreal x = At(row);
        means << QPointF(x, row.playersMean);
        mosts << QPointF(x, row.playersMax);
        most = std::max(most, double(row.playersMax));
        if (row.hour < dayStart)
            continue;
        dayMeans << QPointF(x, row.playersMean);
        dayMosts << QPointF(x, row.playersMax);
        dayMostValue = std::max(dayMostValue, double(row.playersMax));
        silences << QPointF(x, SilentPercent(row));
        // An hour without answers has no ping to draw.
        if (row.answers == 0)
            continue;
        medians << QPointF(x, row.pingMedian);
        highs << QPointF(x, row.pingMedian + row.pingSpread / 2);
        lows << QPointF(x, std::max(0.0, row.pingMedian - row.pingSpread / 2));
        highest = std::max(highest, row.pingMedian + row.pingSpread / 2);
    }
    weekMean->replace(means);
    weekMost->replace(mosts);
    dayMean->replace(dayMeans);
    dayMost->replace(dayMosts);
    pingMedian->replace(medians);
    pingHigh->replace(highs);
    pingLow->replace(lows);
    silent->replace(silences);
    charts[0]->SetSpan(dayStart, end, dayMostValue);
    charts[1]->SetSpan(end.addSecs(-3600 * WeekHours), end, most);
    charts[2]->SetSpan(dayStart, end, highest);
    charts[3]->SetSpan(dayStart, end, 100);
}

void HistoryCharts::ApplyPalette(const QPalette& palette) {
    for (HistoryChart* chart : charts)
        chart->ApplyPalette(palette);
}
