#include "StoredServerLists.h"

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

bool StoredServerLists::IsFavourite(const HostPort& server) const {
    return std::any_of(lists.favourites.begin(), lists.favourites.end(),
                       [&](const HostPort& f) { return SameServer(f, server); });
}

void StoredServerLists::SetFavourite(const HostPort& server, bool favourite) {
    if (IsFavourite(server) == favourite)
        return;
    if (favourite)
        lists.favourites.append(server);
    else
        lists.favourites.removeIf([&](const HostPort& f) { return SameServer(f, server); });
    lists.Save(store);
    emit FavouriteChanged(server, favourite);
}

void StoredServerLists::SetMasters(const QList<HostPort>& masters, const QStringList& games) {
    lists.masters = masters;
    lists.games = games;
    lists.Save(store);
}
