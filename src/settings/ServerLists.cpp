#include "ServerLists.h"

#include "StoreLock.h"

#include <QSettings>

namespace {

const QString kGroup = QStringLiteral("browser");
const QString kVersionKey = QStringLiteral("version");
const QString kHostKey = QStringLiteral("host");
const QString kPortKey = QStringLiteral("port");
const QString kGameKey = QStringLiteral("name");
const QString kFavourites = QStringLiteral("favourites");
const QString kRecent = QStringLiteral("recent");
const QString kMasters = QStringLiteral("masters");
const QString kGames = QStringLiteral("games");

// The layout of the group: arrays of host and port, and an array of game names. A later layout
// raises the number, and this program then takes its defaults rather than misread the group, and
// leaves the group to the program that wrote it.
constexpr int FormatVersion = 1;

// A list the group has never held reads as missing, one the user emptied as empty.
bool HasArray(QSettings& store, const QString& name) {
    return store.contains(name + QStringLiteral("/size"));
}

// Entries with no host or a port outside 1..65535 are left out: the file may be edited by hand.
QList<HostPort> ReadServers(QSettings& store, const QString& name) {
    QList<HostPort> servers;
    const int size = store.beginReadArray(name);
    for (int i = 0; i < size; ++i) {
        store.setArrayIndex(i);
        bool ok = false;
        const HostPort server{store.value(kHostKey).toString().trimmed(),
                              store.value(kPortKey).toString().toInt(&ok, 10)};
        if (ok && !server.host.isEmpty() && server.port >= LowestPort && server.port <= HighestPort)
            servers.append(server);
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

QStringList ReadGames(QSettings& store) {
    QStringList games;
    const int size = store.beginReadArray(kGames);
    for (int i = 0; i < size; ++i) {
        store.setArrayIndex(i);
        const QString game = store.value(kGameKey).toString().trimmed();
        if (!game.isEmpty())
            games.append(game);
    }
    store.endArray();
    return games;
}

void WriteGames(QSettings& store, const QStringList& games) {
    store.remove(kGames);
    store.beginWriteArray(kGames, int(games.size()));
    for (int i = 0; i < games.size(); ++i) {
        store.setArrayIndex(i);
        store.setValue(kGameKey, games[i]);
    }
    store.endArray();
}

} // namespace

bool SameServer(const HostPort& a, const HostPort& b) {
    return a.port == b.port && a.host.compare(b.host, Qt::CaseInsensitive) == 0;
}

bool ServerLists::Load(QSettings& store) {
    favourites.clear();
    recent.clear();
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
            games = ReadGames(store);
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
    WriteGames(store, games);
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
