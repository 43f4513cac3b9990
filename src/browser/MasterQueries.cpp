#include "MasterQueries.h"

#include "RefreshSockets.h"

void MasterQueries::Clear(const QStringList& gameNames) {
    games = gameNames;
    queries.clear();
    byEndpoint.clear();
    ended.clear();
    waiting = 0;
}

bool MasterQueries::SendAll(const Query& query, bool extended, RefreshSockets& sockets) const {
    bool sent = false;
    for (const QString& game : games)
        sent = sockets.Send(query.endpoint, MasterRequest(game, extended)) || sent;
    return sent;
}

void MasterQueries::Ask(const HostPort& master, const Endpoint& at, std::int64_t now,
                        RefreshSockets& sockets) {
    const auto known = byEndpoint.constFind(at);
    if (known != byEndpoint.cend()) {
        Query& query = queries[*known];
        query.names.append(master);
        if (query.outcome)
            ended.append({master, *query.outcome, query.list.Count()});
        return;
    }
    byEndpoint.insert(at, int(queries.size()));
    Query& query = queries.emplace_back();
    query.names = {master};
    query.endpoint = at;
    query.list = MasterList(IsLocalAddress(at.address), int(games.size()));
    query.askedAt = now;
    ++waiting;
    if (!SendAll(query, true, sockets))
        End(query, MasterOutcome::Failed);
}

void MasterQueries::Fail(const HostPort& master) {
    ended.append({master, MasterOutcome::Failed, 0});
}

void MasterQueries::End(Query& query, MasterOutcome outcome) {
    query.outcome = outcome;
    --waiting;
    for (const HostPort& name : query.names)
        ended.append({name, outcome, query.list.Count()});
}

QList<Endpoint> MasterQueries::Feed(const Endpoint& sender, QByteArrayView datagram) {
    const auto known = byEndpoint.constFind(sender);
    if (known == byEndpoint.cend())
        return {};
    // A master that has ended still adds what arrives late: datagrams may overtake each other.
    Query& query = queries[*known];
    MasterList::Fed fed = query.list.Feed(datagram);
    query.heard = query.heard || fed.answer;
    if (!query.outcome && query.list.Complete())
        End(query, MasterOutcome::Done);
    return std::move(fed.added);
}

void MasterQueries::Tick(std::int64_t now, RefreshSockets& sockets) {
    for (Query& query : queries) {
        if (query.outcome)
            continue;
        const std::int64_t waited = now - query.askedAt;
        if (waited >= TimeoutMs) {
            End(query, MasterOutcome::TimedOut);
        } else if (waited >= FallbackAfterMs && !query.heard && !query.fallbackSent) {
            query.fallbackSent = true;
            SendAll(query, false, sockets);
        }
    }
}

QList<MasterQueries::Ended> MasterQueries::TakeEnded() {
    return std::exchange(ended, {});
}
