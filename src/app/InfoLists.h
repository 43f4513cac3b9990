#pragma once

#include <QString>
#include <optional>

class QListWidget;
class QTreeWidget;

struct InfoColumnWidths {
    int key;
    int value;
};

// The two columns share the list's width two to three, a little short of it so that no
// horizontal scroll bar appears.
constexpr InfoColumnWidths InfoColumnsFor(int listWidth) {
    return {listWidth / 5 * 2 - 2, listWidth / 5 * 3 - 1};
}

// Names the columns of the rule list and the details list and sizes both from the rule list.
void SetUpInfoColumns(QTreeWidget& ruleList, QTreeWidget& detailsList);

// A row that shows a player colour gets its swatch and its name as the tip.
void AppendRow(QTreeWidget& list, const QString& key, const QString& value, int colour = -1);

// "Red shirt, Blue pants": the tip of a player's mark.
QString ShirtAndPantsTip(int shirt, int pants);

// Keeps the items in player-number order; each item carries its number and the player's colours.
void InsertInPlayerOrder(QListWidget& list, int playerNumber, const QString& text, int shirt,
                         int pants);
std::optional<int> SelectedPlayer(const QListWidget& list);
