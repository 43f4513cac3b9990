#pragma once

#include <QChartView>
#include <QDateTime>
#include <QList>
#include <QPointF>

class QAreaSeries;
class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

// One chart of the History tab: lines (and a band) over time, drawn in the colours of the
// palette it is given, dark ones included.
class HistoryChart final : public QChartView {
public:
    HistoryChart(const QString& title, const QString& timeFormat, QWidget* parent = nullptr);

    QLineSeries* AddLine(const QString& name);
    // The space between two lines, as for a spread around a median.
    void AddBand(const QString& name, QLineSeries*& upper, QLineSeries*& lower);
    // The time shown and the value axis from 0 to at least `top`.
    void SetSpan(const QDateTime& from, const QDateTime& to, double top);
    void ApplyPalette(const QPalette& palette);

private:
    QDateTimeAxis* time;
    QValueAxis* values;
    QList<QLineSeries*> lines;
    QList<QAreaSeries*> bands;
};
