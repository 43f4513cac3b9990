#pragma once

#include "HistoryStore.h"

#include <QTableWidget>

// The share of an hour's refreshes that the server did not answer, in per cent; 0 for an hour
// without any.
double SilentPercent(const HourRow& row);

// The numbers the History tab's charts draw, an hour a row, latest first: what a screen reader
// reads in place of the charts.
class HourlyTable final : public QTableWidget {
public:
    explicit HourlyTable(QWidget* parent = nullptr);

    void Show(const QList<HourRow>& rows);
};
