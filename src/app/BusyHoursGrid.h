#pragma once

#include "HistoryStore.h"

#include <QTableWidget>

// The busy hours: a weekday a row, an hour of the day (UTC) a column, each cell the mean player
// count over the weeks kept, shaded from the palette's base to its highlight by that count.
class BusyHoursGrid final : public QTableWidget {
public:
    explicit BusyHoursGrid(QWidget* parent = nullptr);

    void Show(const BusyHours& busy);

protected:
    void changeEvent(QEvent* event) override;

private:
    void Shade();

    BusyHours shown{};
};
