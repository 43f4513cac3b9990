#include "BusyHoursGrid.h"

#include "ColourMix.h"

#include <QEvent>
#include <QHeaderView>
#include <algorithm>

BusyHoursGrid::BusyHoursGrid(QWidget* parent) : QTableWidget(7, 24, parent) {
    setAccessibleName(QStringLiteral("Busy hours"));
    setAccessibleDescription(
        QStringLiteral("Mean players by weekday and hour of the day, in UTC, over the weeks kept"));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(NoSelection);
    setVerticalHeaderLabels({QStringLiteral("Mon"), QStringLiteral("Tue"), QStringLiteral("Wed"),
                             QStringLiteral("Thu"), QStringLiteral("Fri"), QStringLiteral("Sat"),
                             QStringLiteral("Sun")});
    QStringList hours;
    for (int hour = 0; hour < 24; ++hour)
        hours << QString::number(hour);
    setHorizontalHeaderLabels(hours);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() * 3 / 2);
    for (int day = 0; day < 7; ++day)
        for (int hour = 0; hour < 24; ++hour) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignCenter);
            setItem(day, hour, cell);
        }
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(horizontalHeader()->sizeHint().height() + 7 * verticalHeader()->sectionSize(0) +
                   2 * frameWidth());
}

void BusyHoursGrid::Show(const BusyHours& busy) {
    shown = busy;
    for (int day = 0; day < 7; ++day)
        for (int hour = 0; hour < 24; ++hour) {
            const double mean = busy[size_t(day)][size_t(hour)];
            item(day, hour)->setText(mean > 0 ? QString::number(mean, 'f', mean < 10 ? 1 : 0)
                                              : QString());
        }
    Shade();
}

void BusyHoursGrid::changeEvent(QEvent* event) {
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        Shade();
}

void BusyHoursGrid::Shade() {
    double most = 0;
    for (const auto& day : shown)
        most = std::max(most, *std::max_element(day.begin(), day.end()));
    const QColor base = palette().color(QPalette::Base);
    const QColor strong = palette().color(QPalette::Highlight);
    for (int day = 0; day < 7; ++day)
        for (int hour = 0; hour < 24; ++hour) {
            const double part = most > 0 ? shown[size_t(day)][size_t(hour)] / most : 0;
            const QColor cell = ColourMix(base, strong, part);
            item(day, hour)->setBackground(cell);
            item(day, hour)->setForeground(
                palette().color(part > 0.5 ? QPalette::HighlightedText : QPalette::Text));
        }
}
