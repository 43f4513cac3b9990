#pragma once

#include "MasterOutcome.h"
#include "Ping.h"
#include "StatusReply.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <optional>

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
    // The rules stopped at the bound of rules listed, not at the server's end.
    bool rulesTruncated = false;
    bool complete = false;
    // What did not arrive, e.g. "player 2" or "end of rules".
    QStringList missing;
};

// One server of many, asked for its server info and its status. A named host still being looked
// up when the time is up counts as no answer.
struct RefreshEntry {
    enum class Outcome { Answered, NoAnswer, NotFound };
    // Where it was asked: as the user named it, or as a master listed it.
    QString address;
    Outcome outcome = Outcome::NoAnswer;
    QueryResult server;
    // False for a server that answered only its status, which a NetQuake engine may not join.
    bool netQuake = true;
    // From its status answer, where it gave one.
    QByteArray mod = {};
    QByteArray engine = {};
    // From its status answer or its answers to the player requests; nothing when neither came.
    std::optional<QList<ServerPlayer>> players = std::nullopt;
};

// One master asked. One still waiting when the time is up counts as timed out, its count of
// servers unknown.
struct MasterReport {
    QString address;
    MasterOutcome outcome = MasterOutcome::TimedOut;
    std::optional<int> servers;
};

// Those that answered by ping, fastest first, then the others in the order they came.
void SortByPing(QList<RefreshEntry>& entries);
