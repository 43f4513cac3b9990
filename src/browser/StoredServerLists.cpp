#include "StoredServerLists.h"

#include "ServerRow.h"

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

bool StoredServerLists::IsFavourite(const QList<HostPort>& names) const {
    return std::any_of(lists.favourites.begin(), lists.favourites.end(),
                       [&](const HostPort& f) { return AnySameServer(f, names); });
}

// Adding stores the first name; removing takes out every favourite that names the server.
void StoredServerLists::SetFavourite(const QList<HostPort>& names, bool favourite) {
    if (names.isEmpty())
        return;
    const bool changed = Change([&](ServerLists& l) {
        const auto named = [&](const HostPort& f) {
            return AnySameServer(f, names);
        };
        if (!favourite)
            l.favourites.removeIf(named);
        else if (std::none_of(l.favourites.begin(), l.favourites.end(), named))
            l.favourites.append(names.first());
    });
    if (changed)
        emit FavouriteChanged(names, favourite);
}

void StoredServerLists::SetMasters(const QList<HostPort>& masters, const QStringList& games) {
    Change([&](ServerLists& l) {
        l.masters = masters;
        l.games = games;
    });
}

void StoredServerLists::SetBuddies(const QStringList& buddies) {
    if (Change([&](ServerLists& l) { l.buddies = buddies; }))
        emit AlertsChanged();
}

void StoredServerLists::SetAlert(const FavouriteAlert& alert) {
    const bool changed = Change([&](ServerLists& l) {
        l.alerts.removeIf(
            [&](const FavouriteAlert& a) { return SameServer(a.server, alert.server); });
        if (AlertsAnything(alert))
            l.alerts.append(alert);
    });
    if (changed)
        emit AlertsChanged();
}

FavouriteAlert StoredServerLists::AlertFor(const QList<HostPort>& names) const {
    return ::AlertFor(lists.alerts, names);
}
