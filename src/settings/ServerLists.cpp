#include "ServerLists.h"

#include "StoreLock.h"

#include <QSettings>

namespace {

const QString kGroup = QStringLiteral("browser");
const QString kVersionKey = QStringLiteral("version");
const QString kHostKey = QStringLiteral("host");
const QString kPortKey = QStringLiteral("port");
const QString kNameKey = QStringLiteral("name");
const QString kMinPlayersKey = QStringLiteral("minplayers");
const QString kRoomKey = QStringLiteral("room");
const QString kFavourites = QStringLiteral("favourites");
const QString kRecent = QStringLiteral("recent");
const QString kMasters = QStringLiteral("masters");
const QString kGames = QStringLiteral("games");
const QString kBuddies = QStringLiteral("buddies");
const QString kAlerts = QStringLiteral("alerts");

// The layout of the group: arrays of host and port, arrays of game names and buddies, and one of
// alerts. Arrays an older copy does not know it passes over, so they need no new layout. A later
// layout raises the number, and this program then takes its defaults rather than misread the group,
// and leaves the group to the program that wrote it.
constexpr int FormatVersion = 1;

// A list the group has never held reads as missing, one the user emptied as empty.
bool HasArray(QSettings& store, const QString& name) {
    return store.contains(name + QStringLiteral("/size"));
}

// Entries with no host or a port outside 1..65535 are left out: the file may be edited by hand.
std::optional<HostPort> ReadServerAt(QSettings& store) {
    bool ok = false;
    const HostPort server{store.value(kHostKey).toString().trimmed(),
                          store.value(kPortKey).toString().toInt(&ok, 10)};
    if (ok && !server.host.isEmpty() && server.port >= LowestPort && server.port <= HighestPort)
        return server;
    return std::nullopt;
}

QList<HostPort> ReadServers(QSettings& store, const QString& name) {
    QList<HostPort> servers;
    const int size = store.beginReadArray(name);
    for (int i = 0; i < size; ++i) {
        store.setArrayIndex(i);
        if (const std::optional<HostPort> server = ReadServerAt(store))
            servers.append(*server);
    }
    store.endArray();
    return servers;
}

void WriteServers(QSettings& store, const QString& name, const QList<HostPort>& servers) {
    store.remove(name);
    store.beginWriteArray(name, int(servers.size()));
    for (int i = 0; i < servers.size(); ++i) {
        store.setArrayIndex(i);
        store.setValue(kHostKey, servers[i].host);
        store.setValue(kPortKey, servers[i].port);
    }
    store.endArray();
}

// Game names and buddies: one text an entry, blank ones left out.
QStringList ReadNames(QSettings& store, const QString& name) {
    QStringList names;
    const int size = store.beginReadArray(name);
    for (int i = 0; i < size; ++i) {
        store.setArrayIndex(i);
        const QString text = store.value(kNameKey).toString().trimmed();
        if (!text.isEmpty())
            names.append(text);
    }
    store.endArray();
    return names;
}

void WriteNames(QSettings& store, const QString& name, const QStringList& names) {
    store.remove(name);
    store.beginWriteArray(name, int(names.size()));
    for (int i = 0; i < names.size(); ++i) {
        store.setArrayIndex(i);
        store.setValue(kNameKey, names[i]);
    }
    store.endArray();
}

// An alert that tells of nothing, or names no server, is left out.
QList<FavouriteAlert> ReadAlerts(QSettings& store) {
    QList<FavouriteAlert> alerts;
    const int size = store.beginReadArray(kAlerts);
    for (int i = 0; i < size; ++i) {
        store.setArrayIndex(i);
        bool ok = false;
        const int minPlayers = store.value(kMinPlayersKey).toString().toInt(&ok, 10);
        const FavouriteAlert alert{ReadServerAt(store).value_or(HostPort{}),
                                   ok && minPlayers > 0 ? minPlayers : 0,
                                   store.value(kRoomKey).toBool()};
        if (!alert.server.host.isEmpty() && AlertsAnything(alert))
            alerts.append(alert);
    }
    store.endArray();
    return alerts;
}

void WriteAlerts(QSettings& store, const QList<FavouriteAlert>& alerts) {
    store.remove(kAlerts);
    store.beginWriteArray(kAlerts, int(alerts.size()));
    for (int i = 0; i < alerts.size(); ++i) {
        store.setArrayIndex(i);
        store.setValue(kHostKey, alerts[i].server.host);
        store.setValue(kPortKey, alerts[i].server.port);
        store.setValue(kMinPlayersKey, alerts[i].minPlayers);
        store.setValue(kRoomKey, alerts[i].room);
    }
    store.endArray();
}

} // namespace

bool AlertsAnything(const FavouriteAlert& alert) {
    return alert.minPlayers > 0 || alert.room;
}

bool SameServer(const HostPort& a, const HostPort& b) {
    return a.port == b.port && a.host.compare(b.host, Qt::CaseInsensitive) == 0;
}

bool ServerLists::Load(QSettings& store) {
    favourites.clear();
    recent.clear();
    buddies.clear();
    alerts.clear();
    masters = DefaultMasters();
    games = DefaultGames();
    store.beginGroup(kGroup);
    bool ok = false;
    const int version = store.value(kVersionKey).toString().toInt(&ok, 10);
    const bool readable = !ok || version <= FormatVersion;
    if (readable) {
        favourites = ReadServers(store, kFavourites);
        recent = ReadServers(store, kRecent).mid(0, RecentServersKept);
        if (HasArray(store, kMasters))
            masters = ReadServers(store, kMasters);
        if (HasArray(store, kGames))
            games = ReadNames(store, kGames);
        buddies = ReadNames(store, kBuddies);
        alerts = ReadAlerts(store);
    }
    store.endGroup();
    return readable;
}

void ServerLists::Save(QSettings& store) const {
    store.beginGroup(kGroup);
    store.setValue(kVersionKey, FormatVersion);
    WriteServers(store, kFavourites, favourites);
    WriteServers(store, kRecent, recent);
    WriteServers(store, kMasters, masters);
    WriteNames(store, kGames, games);
    WriteNames(store, kBuddies, buddies);
    WriteAlerts(store, alerts);
    store.endGroup();
    store.sync();
}

ListsChange ChangeStoredLists(QSettings& store, ServerLists& lists,
                              const std::function<void(ServerLists&)>& change) {
    const StoreLock lock(store);
    if (!lock.Held())
        return ListsChange::Busy;
    // Picks up what another copy wrote since this one last read the file.
    store.sync();
    if (!lists.Load(store))
        return ListsChange::ReadOnly;
    change(lists);
    lists.Save(store);
    return ListsChange::Made;
}

QList<HostPort> DefaultMasters() {
    return {{QStringLiteral("master.frag-net.com"), DefaultMasterPort},
            {QStringLiteral("dpmaster.deathmask.net"), DefaultMasterPort},
            {QStringLiteral("dpmaster.tchr.no"), DefaultMasterPort}};
}

QStringList DefaultGames() {
    return {QStringLiteral("FTE-Quake")};
}

void AddRecent(QList<HostPort>& recent, const HostPort& server) {
    recent.removeIf([&](const HostPort& old) { return SameServer(old, server); });
    recent.prepend(server);
    if (recent.size() > RecentServersKept)
        recent.resize(RecentServersKept);
}
