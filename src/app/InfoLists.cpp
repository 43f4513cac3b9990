#include "InfoLists.h"

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

void AppendRow(QTreeWidget& list, const QString& key, const QString& value) {
    list.addTopLevelItem(new QTreeWidgetItem(QStringList{key, value}));
}

void InsertInPlayerOrder(QListWidget& list, int playerNumber, const QString& text) {
    int row = 0;
    while (row < list.count() && list.item(row)->data(Qt::UserRole).toInt() < playerNumber)
        ++row;
    auto* item = new QListWidgetItem(text);
    item->setData(Qt::UserRole, playerNumber);
    list.insertItem(row, item);
}

std::optional<int> SelectedPlayer(const QListWidget& list) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return selected.first()->data(Qt::UserRole).toInt();
}
