#pragma once

#include "Endpoint.h"
#include "HostPort.h"
#include "MasterList.h"
#include "MasterOutcome.h"

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

class RefreshSockets;

// The masters of one refresh: each is asked with getserversExt for every game, and with the older
// getservers when no answer has come FallbackAfterMs after that; its list ends with its end
// marks, at the bound of servers, or TimeoutMs after it was first asked. Datagrams are taken only
// from the masters' own addresses and ports, and after a master has ended too, until the refresh
// ends. Names that lead to the same master share its one query.
class MasterQueries {
public:
    static constexpr int FallbackAfterMs = 1000;
    static constexpr int TimeoutMs = 3000;

    struct Ended {
        HostPort master;
        MasterOutcome outcome;
        int servers = 0;
    };

    void Clear(const QStringList& games);

    void Ask(const HostPort& master, const Endpoint& at, std::int64_t now, RefreshSockets& sockets);
    // A master whose host could not be looked up.
    void Fail(const HostPort& master);

    bool IsMaster(const Endpoint& sender) const { return byEndpoint.contains(sender); }
    // The servers this datagram adds to its master's list.
    QList<Endpoint> Feed(const Endpoint& sender, QByteArrayView datagram);
    // Asks again with the older request, or ends what is past its time.
    void Tick(std::int64_t now, RefreshSockets& sockets);

    // The masters that ended since the last call, each name once.
    QList<Ended> TakeEnded();
    // Some master asked has not ended yet.
    bool Waiting() const { return waiting > 0; }

private:
    struct Query {
        QList<HostPort> names;
        Endpoint endpoint;
        MasterList list;
        std::int64_t askedAt = 0;
        bool heard = false;
        bool fallbackSent = false;
        std::optional<MasterOutcome> outcome;
    };

    bool SendAll(const Query& query, bool extended, RefreshSockets& sockets) const;
    void End(Query& query, MasterOutcome outcome);

    QStringList games;
    std::vector<Query> queries;
    QHash<Endpoint, int> byEndpoint;
    QList<Ended> ended;
    int waiting = 0;
};
