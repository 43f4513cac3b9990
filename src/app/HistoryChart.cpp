#include "HistoryChart.h"

#include "ColourMix.h"

#include <QAreaSeries>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>
#include <cmath>

HistoryChart::HistoryChart(const QString& title, const QString& timeFormat, QWidget* parent)
    : QChartView(parent), time(new QDateTimeAxis), values(new QValueAxis) {
    setRenderHint(QPainter::Antialiasing);
    setAccessibleName(title);
    setAccessibleDescription(
        QStringLiteral("The same numbers are in the table of hours below the charts."));
    chart()->setTitle(title);
    chart()->setMargins(QMargins(2, 2, 2, 2));
    chart()->legend()->setAlignment(Qt::AlignBottom);
    time->setFormat(timeFormat);
    values->setLabelFormat(QStringLiteral("%g"));
    chart()->addAxis(time, Qt::AlignBottom);
    chart()->addAxis(values, Qt::AlignLeft);
    setMinimumHeight(fontMetrics().height() * 14);
}

QLineSeries* HistoryChart::AddLine(const QString& name) {
    auto* line = new QLineSeries;
    line->setName(name);
    chart()->addSeries(line);
    line->attachAxis(time);
    line->attachAxis(values);
    lines << line;
    return line;
}

void HistoryChart::AddBand(const QString& name, QLineSeries*& upper, QLineSeries*& lower) {
    upper = new QLineSeries(this);
    lower = new QLineSeries(this);
    auto* band = new QAreaSeries(upper, lower);
    band->setName(name);
    chart()->addSeries(band);
    band->attachAxis(time);
    band->attachAxis(values);
    bands << band;
}

void HistoryChart::SetSpan(const QDateTime& from, const QDateTime& to, double top) {
    time->setRange(from, to);
    // A tick every four hours over a day, every day over a week.
    time->setTickCount(from.secsTo(to) > 24 * 3600 ? 8 : 7);
    // A round top, so that the ticks fall on whole numbers.
    values->setRange(0, std::max(1.0, std::ceil(top)));
    values->applyNiceNumbers();
}

void HistoryChart::ApplyPalette(const QPalette& palette) {
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    const QColor strong = palette.color(QPalette::Highlight);
    chart()->setBackgroundBrush(base);
    chart()->setTitleBrush(text);
    chart()->legend()->setLabelColor(text);
    setBackgroundBrush(palette.color(QPalette::Window));
    for (QAbstractAxis* axis :
         {static_cast<QAbstractAxis*>(time), static_cast<QAbstractAxis*>(values)}) {
        axis->setLabelsBrush(text);
        axis->setLinePenColor(ColourMix(base, text, 0.6));
        axis->setGridLineColor(ColourMix(base, text, 0.15));
    }
    // The first line in the strong colour, a second one in a softer text colour.
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QPen pen(i == 0 ? strong : ColourMix(base, text, 0.55), 2);
        lines[i]->setPen(pen);
    }
    for (QAreaSeries* band : bands) {
        band->setBrush(ColourMix(base, strong, 0.3));
        band->setPen(Qt::NoPen);
    }
}
