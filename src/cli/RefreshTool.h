#pragma once

#include "CommandLine.h"
#include "QueryResult.h"
#include "ServerRefresh.h"

#include <QHash>
#include <QObject>
#include <QTimer>

class HistoryStore;
class QIODevice;

// vantrel-query with many servers: one refresh of the servers named and those the masters list,
// each asked for its server info and its status (players, mod and engine), all at once. It ends
// when every server has answered or been given up, or when its time is up, and prints one line per
// server, sorted by ping. Every server and master asked is accounted for: a host still being looked
// up or a master still waiting when the time is up is one that did not answer. Every answer and
// silence goes into the history.
class RefreshTool : public QObject {
    Q_OBJECT

public:
    RefreshTool(const RefreshOptions& options, QIODevice& out, QIODevice& errors,
                HistoryStore& history, const Clock& clock = SteadyClock::Instance(),
                QObject* parent = nullptr);

    void Start();
    // The time is up: the servers that have not answered are given up.
    void OnDeadline();

    ServerRefresh& Network() { return refresh; }

signals:
    void Finished(int status);

private:
    void OnListed(const Endpoint& server, int namedIndex);
    void OnAnswered(const Endpoint& server, const ServerInfo& info, Ping ping);
    void OnStatus(const Endpoint& server, const StatusReply& reply, Ping ping, bool alone);
    void OnPlayers(const Endpoint& server, const QList<ServerPlayer>& players);
    // The server's entry, or none for a server never listed.
    RefreshEntry* EntryOf(const Endpoint& server);
    void OnHostNotFound(const QString& host);
    void OnMasterEnded(const HostPort& master, MasterOutcome outcome, int servers);
    void End();
    int Status() const;
    void Tell(const QString& text);

    RefreshOptions options;
    QIODevice& out;
    QIODevice& errors;
    HistoryStore& history;
    ServerRefresh refresh;
    QTimer deadline;
    QHash<Endpoint, qsizetype> rows;
    QList<RefreshEntry> entries;
    // By index into the named servers: listed, or its host not found.
    QList<bool> namedDone;
    QList<MasterReport> masters;
    // By index into masters.
    QList<bool> mastersEnded;
    int hostsNotFound = 0;
    bool ended = false;
};
