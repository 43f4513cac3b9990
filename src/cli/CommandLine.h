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

struct CommandLine {
    enum class Action { Query, Refresh, Help, Version, Refuse };
    Action action = Action::Refuse;
    QueryOptions options;
    RefreshOptions refresh;
    // Why the arguments were refused, in one line.
    QString error;
    QString usage;
};

// Reads the arguments, the program's name first. Defaults come from the window's defaults.
CommandLine ParseCommandLine(const QStringList& arguments);
