#include "HourlyTable.h"

#include <QAbstractTableModel>
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
    MapsColumn,
    HourColumnCount
};

QString Number(double value) {
    return QString::number(value, 'f', value == int(value) ? 0 : 1);
}

} // namespace

double SilentPercent(const HourRow& row) {
    const int refreshes = row.answers + row.silences;
    return refreshes == 0 ? 0 : 100.0 * row.silences / refreshes;
}

class HourlyTable::Numbers final : public QAbstractTableModel {
public:
    void Show(const QList<HourRow>& shown) {
        beginResetModel();
        rows = shown;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : HourColumnCount;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!checkIndex(index, CheckIndexOption::IndexIsValid))
            return {};
        if (role == Qt::TextAlignmentRole && index.column() != HourColumn &&
            index.column() != MapsColumn)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole)
            return {};
        const HourRow& hour = rows[rows.size() - 1 - index.row()];
        switch (index.column()) {
        case HourColumn:
            return hour.hour.toLocalTime().toString(QStringLiteral("ddd d MMM HH:00"));
        case AnswersColumn:
            return Number(hour.answers);
        case SilentColumn:
            return Number(SilentPercent(hour));
        case PingColumn:
            return Number(hour.pingMedian);
        case SpreadColumn:
            return Number(hour.pingSpread);
        case MeanColumn:
            return Number(hour.playersMean);
        case MostColumn:
            return Number(hour.playersMax);
        default:
            return hour.maps.join(QStringLiteral(", "));
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const titles[HourColumnCount] = {
            "Hour", "Answers", "Silent %", "Ping", "Spread", "Players", "Most", "Maps"};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
            section >= HourColumnCount)
            return {};
        return QString::fromLatin1(titles[section]);
    }

private:
    QList<HourRow> rows;
};

HourlyTable::HourlyTable(QWidget* parent)
    : QTableView(parent), numbers(std::make_unique<Numbers>()) {
    setModel(numbers.get());
    setAccessibleName(QStringLiteral("Hours"));
    setAccessibleDescription(QStringLiteral("The charts' numbers, an hour a row, latest first"));
    setEditTriggers(NoEditTriggers);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    for (int column = AnswersColumn; column < MapsColumn; ++column)
        setColumnWidth(column, fontMetrics().averageCharWidth() * 9);
    setColumnWidth(HourColumn,
                   fontMetrics().horizontalAdvance(QStringLiteral("Wed 30 Sep 00:00__")));
    setMinimumHeight(fontMetrics().height() * 10);
}

HourlyTable::~HourlyTable() = default;

void HourlyTable::Show(const QList<HourRow>& rows) {
    numbers->Show(rows);
}
