#pragma once

#include "HistoryStore.h"

#include <QWidget>

class HistoryChart;
class QLineSeries;

// The History tab's charts of one server: players over the last 24 hours and the last 7 days
// (each hour's mean and most), the ping's median with its spread, and the share of refreshes
// the server left unanswered, an hour a point.
class HistoryCharts final : public QWidget {
public:
    static constexpr int DayHours = 24;
    static constexpr int WeekHours = 7 * 24;

    explicit HistoryCharts(QWidget* parent = nullptr);

    // The rows of the last WeekHours before `now`, oldest first.
    void Draw(const QList<HourRow>& rows, const QDateTime& now);
    void ApplyPalette(const QPalette& palette);

private:
    QList<HistoryChart*> charts;
    QLineSeries* dayMean;
    QLineSeries* dayMost;
    QLineSeries* weekMean;
    QLineSeries* weekMost;
    QLineSeries* pingMedian;
    QLineSeries* pingHigh;
    QLineSeries* pingLow;
    QLineSeries* silent;
};
