#pragma once

#include "Endpoint.h"
#include "HostPort.h"
#include "MasterOutcome.h"
#include "MasterQueries.h"
#include "PacketBuffer.h"
#include "Ping.h"
#include "PlayerRequests.h"
#include "RefreshSockets.h"
#include "ServerPinger.h"
#include "StatusReply.h"
#include "TimeStamp.h"

#include <QHash>
#include <QHostInfo>
#include <QObject>
#include <QStringList>
#include <QTimer>

// One refresh of a server list. It looks up the named servers' and masters' hosts once, asks each
// master for its list of servers, and asks every server named or listed for its server info
// with the same request the main window sends, and for its status (which the engines that
// register with a master answer with every player): paced, through one socket per address family,
// each request at most twice. What a server has not answered a second after its requests is asked
// once more, and a server that has answered nothing a second after that is given up as silent.
// A server that answers its server info with players and no status soon after is a plain
// NetQuake server, asked for its players by number as the main window asks.
//
// All timing reads the injected clock; a timer calls OnTick, and tests may call it themselves.
class ServerRefresh : public QObject {
    Q_OBJECT

public:
    struct Request {
        // Servers the user named (favourites, recent servers, command-line hosts).
        QList<HostPort> named;
        QList<HostPort> masters;
        // Game names the masters are asked for.
        QStringList games;
    };

    explicit ServerRefresh(const Clock& clock = SteadyClock::Instance(), QObject* parent = nullptr);
    ~ServerRefresh() override;

    // Forgets any earlier refresh and starts this one. False when no socket could be opened.
    bool Start(const Request& request);
    // Ends the refresh at once; nothing more is signalled for it.
    void Stop();
    bool Running() const;

    // Sends what is due, resends and gives up what is past its time, and ends masters whose time
    // is up.
    void OnTick();

    // Servers known so far, and how many of them answered.
    int ServerCount() const;
    int AnsweredCount() const;

signals:
    // A server to be asked: named (its index into Request::named) or listed by a master (-1).
    // An address named and listed is signalled once for each way it became known.
    void Listed(const Endpoint& server, int namedIndex);
    void Answered(const Endpoint& server, const ServerInfo& info, Ping ping);
    // The server's status answer; alone when it has not answered its server info (yet), as a
    // DarkPlaces or QuakeWorld server never does.
    void StatusAnswered(const Endpoint& server, const StatusReply& reply, Ping ping, bool alone);
    // A plain NetQuake server's players, from its answers to the player requests; none when it
    // told of none.
    void PlayersAnswered(const Endpoint& server, const QList<ServerPlayer>& players);
    void Silent(const Endpoint& server);
    // A named server's or a master's host could not be looked up.
    void HostNotFound(const QString& host);
    void MasterEnded(const HostPort& master, MasterOutcome outcome, int servers);
    // Every master has ended, every server has answered or been given up, and the player
    // requests are done.
    void Finished();

private:
    // Who waits for a host name's address.
    struct Waiters {
        QList<int> named;
        QList<int> masters;
    };

    void OnLookedUp(const QHostInfo& info);
    void Resolve(const QString& host, const QHostAddress& address);
    void ResolveLiterals();
    void OnDatagram(const Endpoint& sender, QByteArrayView datagram, std::int64_t ageUs);
    // Each returns false when a receiver of its signals stopped or restarted the refresh.
    bool OnServerReply(const Endpoint& sender, QByteArrayView datagram, std::int64_t arrived);
    bool AddServers(const QList<Endpoint>& servers, int namedIndex);
    bool Pump();
    bool SignalMastersEnded();
    void FinishWhenDone();
    void AbortLookups();
    std::int64_t Now() const { return clock.Reading().Milliseconds(); }
    bool Current(quint64 refresh) const { return running && generation == refresh; }

    const Clock& clock;
    Request request;
    RefreshSockets sockets;
    MasterQueries masters;
    RequestBudget budget;
    ServerPinger pinger;
    PlayerRequests players;
    QTimer timer;
    QHash<QString, Waiters> waiting;
    QHash<int, QString> lookups;
    bool literalsPending = false;
    bool running = false;
    // Counts refreshes started and stopped, so that a loop of signals stops when a receiver
    // stopped or restarted the refresh.
    quint64 generation = 0;
};
