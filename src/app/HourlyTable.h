#pragma once

#include "HistoryStore.h"

#include <QTableView>
#include <memory>

// The share of an hour's refreshes that the server did not answer, in per cent; 0 for an hour
// without any.
double SilentPercent(const HourRow& row);

// The numbers the History tab's charts draw, an hour a row, latest first: what a screen reader
// reads in place of the charts. A model over the rows, so that a week of hours costs nothing
// until it is painted.
class HourlyTable final : public QTableView {
public:
    explicit HourlyTable(QWidget* parent = nullptr);
    ~HourlyTable() override;

    void Show(const QList<HourRow>& rows);

private:
    class Numbers;
    std::unique_ptr<Numbers> numbers;
};
