#include "InfoLists.h"

#include "ColourSwatch.h"
#include "PlayerColours.h"

#include <QListWidget>
#include <QTreeWidget>

void SetUpInfoColumns(QTreeWidget& ruleList, QTreeWidget& detailsList) {
    ruleList.setHeaderLabels({QStringLiteral("Rule"), QStringLiteral("Value")});
    detailsList.setHeaderLabels({QStringLiteral("Key"), QStringLiteral("Value")});
    const InfoColumnWidths widths = InfoColumnsFor(ruleList.width());
    for (QTreeWidget* list : {&ruleList, &detailsList}) {
        list->setColumnWidth(0, widths.key);
        list->setColumnWidth(1, widths.value);
    }
}

void AppendRow(QTreeWidget& list, const QString& key, const QString& value, int colour) {
    auto* row = new QTreeWidgetItem(QStringList{key, value});
    if (colour >= 0) {
        row->setIcon(1, ColourSwatch(colour));
        row->setToolTip(1, PlayerColourName(colour));
    }
    list.addTopLevelItem(row);
}

QString ShirtAndPantsTip(int shirt, int pants) {
    return PlayerColourName(shirt) + QStringLiteral(" shirt, ") + PlayerColourName(pants) +
           QStringLiteral(" pants");
}

void InsertInPlayerOrder(QListWidget& list, int playerNumber, const QString& text, int shirt,
                         int pants) {
    int row = 0;
    while (row < list.count() && list.item(row)->data(Qt::UserRole).toInt() < playerNumber)
        ++row;
    auto* item = new QListWidgetItem(ShirtAndPantsMark(shirt, pants), text);
    item->setData(Qt::UserRole, playerNumber);
    item->setToolTip(ShirtAndPantsTip(shirt, pants));
    list.insertItem(row, item);
}

std::optional<int> SelectedPlayer(const QListWidget& list) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return selected.first()->data(Qt::UserRole).toInt();
}
