#pragma once

#include "HostPort.h"

#include <QList>
#include <QStringList>
#include <functional>

class QSettings;

// The server browser's lists, stored beside the options in a group of their own with a format
// version: the user's favourite servers, the servers most recently queried from the main window
// (newest first), the master servers to ask and the game names to ask them for.
// What a favourite's watch tells of: that its player count reached minPlayers (0: never), and
// that a slot freed on it while full.
struct FavouriteAlert {
    HostPort server;
    int minPlayers = 0;
    bool room = false;
};

struct ServerLists {
    QList<HostPort> favourites;
    QList<HostPort> recent;
    QList<HostPort> masters;
    QStringList games;
    // Players' names to look out for, matched as NameContains matches.
    QStringList buddies;
    QList<FavouriteAlert> alerts;

    // False for a group of a later layout: the lists are then the defaults, and the group is
    // not this program's to write.
    bool Load(QSettings& store);
    void Save(QSettings& store) const;
};

inline constexpr int RecentServersKept = 20;
inline constexpr int DefaultMasterPort = 27950;

// master.frag-net.com, dpmaster.deathmask.net and dpmaster.tchr.no, port 27950.
QList<HostPort> DefaultMasters();
// FTE-Quake: the name NetQuake servers register under.
QStringList DefaultGames();

// What came of a change to the stored lists.
enum class ListsChange { Made, ReadOnly, Busy };

// Reads the lists again, changes them and writes them back, all under the store's lock, so that a
// change another copy of the program made in between stays. A group of a later layout is read
// as the defaults and neither changed nor written; nor is anything while another copy holds the
// lock past a short wait.
ListsChange ChangeStoredLists(QSettings& store, ServerLists& lists,
                              const std::function<void(ServerLists&)>& change);

// Whether the alert tells of anything: one that does not is not kept.
bool AlertsAnything(const FavouriteAlert& alert);

// The same host, whatever the letters' case, and the same port.
bool SameServer(const HostPort& a, const HostPort& b);

// Puts the server at the front of the recent list, once, and keeps the newest RecentServersKept.
void AddRecent(QList<HostPort>& recent, const HostPort& server);
