#pragma once

#include "Endpoint.h"
#include "HostPort.h"
#include "ServerLists.h"
#include "ServerRefresh.h"
#include "StatusReply.h"

#include <QDateTime>
#include <QFlags>
#include <QList>
#include <QString>
#include <optional>

// How the browser came to know a server; a server may be known in several ways at once.
enum class ServerSource : quint8 { Favourite = 1, Recent = 2, Master = 4 };
Q_DECLARE_FLAGS(ServerSources, ServerSource)
Q_DECLARE_OPERATORS_FOR_FLAGS(ServerSources)

// A server's answer as the table shows it, its texts converted as the asciiserver option says.
// A row takes a whole answer or none: never one half-read.
struct ServerAnswer {
    QString name;
    QString map;
    // The address the server reports for itself.
    QString address;
    int currentPlayers = 0;
    int maxPlayers = 0;
    Ping ping;
    // False for a server that answered only the status request (DarkPlaces or QuakeWorld listed
    // under a NetQuake game name): a NetQuake engine may not join it.
    bool netQuake = true;
};

// What the asciiserver option does to the main window's fields it does here: when convert is
// set, the game's graphic characters fold onto ASCII; otherwise every byte is one character.
ServerAnswer ShownAnswer(const ServerInfo& info, Ping ping, bool convert);

// What a server tells of itself beyond the server-info answer. Texts are converted as the
// answer's are; the players' names stay raw bytes, for the asciinames option to convert.
struct ServerStatus {
    QString mod;
    QString engine;
    QString protocol;
    QList<ServerPlayer> players;
};

// A server that answered only its status, shown from it: its hostname, mapname, clients and
// sv_maxclients, converted as ShownAnswer converts.
ServerAnswer StatusAnswer(const StatusReply& reply, Ping ping, bool convert);
// The status's mod, engine and protocol (the game's, nqprotocol, where the server gives it),
// converted likewise, and its players.
ServerStatus ShownStatus(const StatusReply& reply, bool convert);

enum class RowState : quint8 { Asking, Answered, Silent, NotFound };

// One server of the browser's table.
struct ServerRow {
    // Where the server is asked; null when its host could not be looked up.
    Endpoint endpoint;
    // What goes into the main window's Server and Port fields, and what the Address column shows:
    // the host and port the user named, else the address and port a master listed.
    HostPort target;
    // Every host and port that reached the server in this refresh: the names the user gave
    // (a favourite "127.0.0.1:26001" and a recent "localhost:26001" are one server) and the
    // address a master listed. The favourites go by these, not by the target's text.
    QList<HostPort> names;
    ServerSources sources;
    RowState state = RowState::Asking;
    // Known to the refresh under way, or to the last one. A row that a refresh has not listed
    // again by its end no longer belongs.
    bool current = true;
    // The last complete answer; kept while the server is asked again.
    std::optional<ServerAnswer> answer;
    // What the server's status answer, or its answers to the player requests, told; kept, as the
    // answer is, while the server is asked again.
    std::optional<ServerStatus> status;
    // The players' names that a buddy's matches, as the Buddies column shows them.
    QString buddies = {};
    // When the history last saw the server answer, where it has.
    std::optional<QDateTime> lastSeen = {};
};

// The row's players whose name holds any of the texts, as NameContains matches.
QList<ServerPlayer> PlayersNamed(const ServerRow& row, const QStringList& texts);

// Whether any of the names is this server's, as SameServer tells.
bool AnySameServer(const HostPort& server, const QList<HostPort>& names);

// The alert of the server that goes by these names; one that tells of nothing when none.
FavouriteAlert AlertFor(const QList<FavouriteAlert>& alerts, const QList<HostPort>& names);

// The Source column's text: "favourite, recent, master", as many as apply.
QString SourcesText(ServerSources sources);
