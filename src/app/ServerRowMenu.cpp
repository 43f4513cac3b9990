#include "ServerRowMenu.h"

#include "Prompts.h"
#include "ServerRow.h"
#include "StoredServerLists.h"

#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>

namespace {

constexpr int MostPlayersToWatch = 255;

// The watch goes by the favourite as stored, so it is the server the watch asks.
FavouriteAlert AlertOf(const StoredServerLists& lists, const QList<HostPort>& names) {
    FavouriteAlert alert = lists.AlertFor(names);
    const QList<HostPort>& favourites = lists.Lists().favourites;
    const auto favourite = std::find_if(favourites.begin(), favourites.end(),
                                        [&](const HostPort& f) { return AnySameServer(f, names); });
    if (alert.server.host.isEmpty() && favourite != favourites.end())
        alert.server = *favourite;
    return alert;
}

void AddAlertEntries(QMenu& menu, StoredServerLists& lists, const QList<HostPort>& names,
                     Prompts& prompts, QWidget* parent) {
    const FavouriteAlert alert = AlertOf(lists, names);
    QAction* count = menu.addAction(
        alert.minPlayers > 0 ? QStringLiteral("&Notify at %1 players...").arg(alert.minPlayers)
                             : QStringLiteral("&Notify at a player count..."));
    QObject::connect(count, &QAction::triggered, &lists, [&lists, &prompts, parent, alert] {
        const std::optional<int> players =
            prompts.Number(parent, QStringLiteral("Notify"),
                           QStringLiteral("Tell me when %1 has this many players (0: never):")
                               .arg(HostPortText(alert.server)),
                           std::max(alert.minPlayers, 1), 0, MostPlayersToWatch);
        if (!players)
            return;
        FavouriteAlert changed = alert;
        changed.minPlayers = *players;
        lists.SetAlert(changed);
    });
    QAction* room = menu.addAction(QStringLiteral("&Tell me when there's room"));
    room->setCheckable(true);
    room->setChecked(alert.room);
    QObject::connect(room, &QAction::toggled, &lists, [&lists, alert](bool checked) {
        FavouriteAlert changed = alert;
        changed.room = checked;
        lists.SetAlert(changed);
    });
}

} // namespace

std::unique_ptr<QMenu> ServerRowMenu(const ServerRow& row, StoredServerLists& lists,
                                     Prompts& prompts, QWidget* parent,
                                     const std::function<void(const HostPort&)>& query) {
    auto menu = std::make_unique<QMenu>(parent);
    const HostPort server = row.target;
    // The shown name first: it is the one a new favourite is stored under.
    const QList<HostPort> names = QList<HostPort>{server} + row.names;
    QAction* queryEntry = menu->addAction(QStringLiteral("&Query"));
    menu->setDefaultAction(queryEntry);
    QObject::connect(queryEntry, &QAction::triggered, menu.get(),
                     [query, server] { query(server); });
    menu->addSeparator();
    const bool favourite = lists.IsFavourite(names);
    QAction* mark = menu->addAction(favourite ? QStringLiteral("&Remove from favourites")
                                              : QStringLiteral("&Add to favourites"));
    QObject::connect(mark, &QAction::triggered, &lists,
                     [&lists, names, favourite] { lists.SetFavourite(names, !favourite); });
    QAction* copy = menu->addAction(QStringLiteral("&Copy address"));
    QObject::connect(copy, &QAction::triggered, menu.get(),
                     [server] { QGuiApplication::clipboard()->setText(HostPortText(server)); });
    if (favourite) {
        menu->addSeparator();
        AddAlertEntries(*menu, lists, names, prompts, parent);
    }
    return menu;
}
