#pragma once

#include "ServerLists.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// One watched server as a refresh found it.
struct WatchedServer {
    // The host and port to show.
    QString server;
    QString name;
    // Raw bytes in the game's character set.
    QList<QByteArray> players;
    // False when some players went untold (a lost datagram): nobody may be taken to have left.
    bool playersComplete = true;
    int currentPlayers = 0;
    int maxPlayers = 0;
    // A favourite's alert; one that tells of nothing for any other server.
    FavouriteAlert alert;
};

// What the watch was told to look out for beside the favourites' alerts.
struct WatchRules {
    QStringList buddies;
    // A player count every watched server is watched for (vantrel-query's --min-players); 0 off.
    int minPlayers = 0;
};

enum class WatchEventKind { BuddyJoined, BuddyLeft, PlayersReached, SlotFree };

struct WatchEvent {
    WatchEventKind kind;
    QString server;
    QString name;
    // The buddy, for BuddyJoined and BuddyLeft.
    QByteArray player;
};

// "buddy-joined", "buddy-left", "players-reached", "slot-free".
QString WatchEventName(WatchEventKind kind);

// The watched servers by a key that stays the same from one refresh to the next, in its order.
using WatchSnapshot = QMap<QString, WatchedServer>;

// Takes the servers that answered this refresh into the snapshot and tells what changed: each
// buddy who came or went, a player count that reached its threshold, a full server with a free
// slot. A server that did not answer keeps what it had, so a lost datagram neither makes buddies
// leave nor come back. A server the snapshot did not hold counts as having been empty.
QList<WatchEvent> NoteRefresh(WatchSnapshot& snapshot, const WatchSnapshot& answered,
                              const WatchRules& rules);
