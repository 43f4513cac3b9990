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

// What the history kept of one server, or every server's hours written to a file.
struct HistoryOptions {
    HostPort server;
    // The hours of the last days shown.
    int days = 7;
    bool json = false;
    // Set for the export, which writes every server's hours as CSV.
    QString exportFile;
};

struct CommandLine {
    enum class Action { Query, Refresh, Watch, History, HistoryExport, Help, Version, Refuse };
    Action action = Action::Refuse;
    QueryOptions options;
    RefreshOptions refresh;
    WatchOptions watch;
    HistoryOptions history;
    // Why the arguments were refused, in one line.
    QString error;
    QString usage;
};

// Reads the arguments, the program's name first. Defaults come from the window's defaults.
CommandLine ParseCommandLine(const QStringList& arguments);
