#include "PlayersPane.h"

#include "ColourSwatch.h"
#include "DisplayName.h"
#include "InfoLists.h"
#include "NameMatch.h"
#include "ServerRow.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

enum PlayerColumn { NameColumn, FragsColumn, PingColumn, TimeColumn };

QString SummaryText(const ServerStatus& status) {
    QStringList parts;
    const auto add = [&parts](const char* label, const QString& value) {
        if (!value.isEmpty())
            parts << QLatin1String(label) + value;
    };
    add("Mod: ", status.mod);
    add("Engine: ", status.engine);
    add("Protocol: ", status.protocol);
    return parts.join(QStringLiteral("   "));
}

// "1:02:03" from an hour on, else "2:03".
QString TimeText(int seconds) {
    const QLatin1Char zero('0');
    const QString rest = QStringLiteral("%1").arg(seconds % 60, 2, 10, zero);
    if (seconds < 3600)
        return QStringLiteral("%1:%2").arg(seconds / 60).arg(rest);
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, zero)
        .arg(rest);
}

QTreeWidgetItem* PlayerItem(const ServerPlayer& player, int asciinames) {
    auto* item = new QTreeWidgetItem;
    item->setText(NameColumn,
                  ShownPlayerName({player.name.data(), size_t(player.name.size())}, asciinames));
    if (player.shirt >= 0 && player.pants >= 0) {
        item->setIcon(NameColumn, ShirtAndPantsMark(player.shirt, player.pants));
        item->setToolTip(NameColumn, ShirtAndPantsTip(player.shirt, player.pants));
    }
    item->setText(FragsColumn, QString::number(player.frags));
    if (player.pingMs)
        item->setText(PingColumn, QString::number(*player.pingMs));
    if (player.secondsConnected)
        item->setText(TimeColumn, TimeText(std::max(0, *player.secondsConnected)));
    for (const int column : {FragsColumn, PingColumn, TimeColumn})
        item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

PlayersPane::PlayersPane(QWidget* parent) : QWidget(parent) {
    summary = new QLabel(this);
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    list = new QTreeWidget(this);
    list->setRootIsDecorated(false);
    list->setAlternatingRowColors(true);
    list->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Frags"), QStringLiteral("Ping"),
                           QStringLiteral("Time")});
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    for (const int column : {FragsColumn, PingColumn, TimeColumn})
        list->header()->resizeSection(column, fontMetrics().averageCharWidth() * 9);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(summary);
    layout->addWidget(list, 1);
}

void PlayersPane::Show(const ServerRow* row, int asciinames, const QString& find) {
    list->clear();
    if (!row || !row->status) {
        summary->clear();
        return;
    }
    summary->setText(SummaryText(*row->status));
    QList<ServerPlayer> players = row->status->players;
    std::stable_sort(
        players.begin(), players.end(),
        [](const ServerPlayer& a, const ServerPlayer& b) { return a.frags > b.frags; });
    for (const ServerPlayer& player : players) {
        QTreeWidgetItem* item = PlayerItem(player, asciinames);
        if (!find.isEmpty() && NameContains(player.name, find)) {
            QFont bold = list->font();
            bold.setBold(true);
            for (int column = NameColumn; column <= TimeColumn; ++column)
                item->setFont(column, bold);
        }
        list->addTopLevelItem(item);
    }
}

QString PlayersPane::Summary() const {
    return summary->text();
}
