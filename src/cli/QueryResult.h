#pragma once

#include "Ping.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// What one query brought back. Texts are the bytes the server sent, in the game's character set.
struct PlayerResult {
    int number = 0;
    QByteArray name;
    int frags = 0;
    int shirt = 0;
    int pants = 0;
    int connectTime = 0;
    QByteArray address;
};

struct RuleResult {
    QByteArray name;
    QByteArray value;
};

struct QueryResult {
    bool serverInfo = false;
    QByteArray serverName;
    QByteArray serverAddress;
    QByteArray mapName;
    int currentPlayers = 0;
    int maxPlayers = 0;
    Ping ping;
    // False when the user asked not to see them.
    bool showPlayers = true;
    bool showRules = true;
    QList<PlayerResult> players;
    QList<RuleResult> rules;
    bool complete = false;
    // What did not arrive, e.g. "player 2" or "end of rules".
    QStringList missing;
};

// One server of many, asked for its server info only.
struct RefreshEntry {
    // Where it was asked: as the user named it, or as a master listed it.
    QString address;
    bool answered = false;
    QueryResult server;
};

// Those that answered by ping, fastest first, then the silent ones in the order they came.
void SortByPing(QList<RefreshEntry>& entries);
