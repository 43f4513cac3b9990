#include "StoredServerLists.h"

#include "ServerRow.h"

#include <QSettings>
#include <algorithm>

StoredServerLists::StoredServerLists(QSettings& store, QObject* parent)
    : QObject(parent), store(store) {
    lists.Load(store);
}

void StoredServerLists::NoteQueried(const HostPort& server) {
    AddRecent(lists.recent, server);
    lists.Save(store);
    emit RecentChanged();
}

bool StoredServerLists::IsFavourite(const QList<HostPort>& names) const {
    return std::any_of(lists.favourites.begin(), lists.favourites.end(),
                       [&](const HostPort& f) { return AnySameServer(f, names); });
}

// Adding stores the first name; removing takes out every favourite that names the server.
void StoredServerLists::SetFavourite(const QList<HostPort>& names, bool favourite) {
    if (names.isEmpty() || IsFavourite(names) == favourite)
        return;
    if (favourite)
        lists.favourites.append(names.first());
    else
        lists.favourites.removeIf([&](const HostPort& f) { return AnySameServer(f, names); });
    lists.Save(store);
    emit FavouriteChanged(names, favourite);
}

void StoredServerLists::SetMasters(const QList<HostPort>& masters, const QStringList& games) {
    lists.masters = masters;
    lists.games = games;
    lists.Save(store);
}
