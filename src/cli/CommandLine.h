#pragma once

#include "HostPort.h"

#include <QString>
#include <QStringList>

struct QueryOptions {
    HostPort target;
    bool raw = false;
    bool json = false;
    bool noRules = false;
    bool noPlayers = false;
    int timeout = 0;
    // Empty: no scripts are written.
    QString gameFolder;
    QString quakename;
    // Seconds from one query to the next; 0 queries once.
    int every = 0;
};

// Many servers at once: each is asked for its server info only.
struct RefreshOptions {
    QList<HostPort> servers;
    QList<HostPort> masters;
    QStringList games;
    bool raw = false;
    bool json = false;
    // Seconds after which servers that have not answered are given up.
    int timeout = 0;
};

// Servers watched for buddies and player counts, one line per change, until interrupted.
struct WatchOptions {
    QList<HostPort> servers;
    QList<HostPort> masters;
    QStringList games;
    QStringList buddies;
    // 0: no player count is watched for.
    int minPlayers = 0;
    // Seconds from one refresh to the next.
    int every = 0;
    // Refreshes before the watch ends; 0: until interrupted.
    int count = 0;
    bool raw = false;
    bool json = false;
};

struct CommandLine {
    enum class Action { Query, Refresh, Watch, Help, Version, Refuse };
    Action action = Action::Refuse;
    QueryOptions options;
    RefreshOptions refresh;
    WatchOptions watch;
    // Why the arguments were refused, in one line.
    QString error;
    QString usage;
};

// Reads the arguments, the program's name first. Defaults come from the window's defaults.
CommandLine ParseCommandLine(const QStringList& arguments);
