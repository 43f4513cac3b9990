#include "StoredServerLists.h"

#include <algorithm>

StoredServerLists::StoredServerLists(QSettings& store, QObject* parent)
    : QObject(parent), store(store), readOnly(!lists.Load(store)) {}

QString StoredServerLists::StatusNote() const {
    return readOnly ? QStringLiteral("; favourites and recent servers are read-only: a newer "
                                     "Vantrel saved them")
                    : QString();
}

bool StoredServerLists::Change(const std::function<void(ServerLists&)>& change) {
    if (readOnly)
        return false;
    const ListsChange result = ChangeStoredLists(store, lists, change);
    readOnly = result == ListsChange::ReadOnly;
    return result == ListsChange::Made;
}

void StoredServerLists::NoteQueried(const HostPort& server) {
    if (Change([&](ServerLists& l) { AddRecent(l.recent, server); }))
        emit RecentChanged();
}

bool StoredServerLists::IsFavourite(const HostPort& server) const {
    return std::any_of(lists.favourites.begin(), lists.favourites.end(),
                       [&](const HostPort& f) { return SameServer(f, server); });
}

void StoredServerLists::SetFavourite(const HostPort& server, bool favourite) {
    const bool changed = Change([&](ServerLists& l) {
        if (!favourite)
            l.favourites.removeIf([&](const HostPort& f) { return SameServer(f, server); });
        else if (!IsFavourite(server))
            l.favourites.append(server);
    });
    if (changed)
        emit FavouriteChanged(server, favourite);
}

void StoredServerLists::SetMasters(const QList<HostPort>& masters, const QStringList& games) {
    Change([&](ServerLists& l) {
        l.masters = masters;
        l.games = games;
    });
}
