#include "PlayerRequests.h"

#include "RefreshSockets.h"

#include <algorithm>
#include <bit>

void PlayerRequests::Clear() {
    servers.clear();
    byEndpoint.clear();
    queued.clear();
    sent.clear();
    open = 0;
}

void PlayerRequests::Add(const Endpoint& server, int count) {
    if (byEndpoint.contains(server))
        return;
    const int n = std::clamp(count, 1, MostPlayers);
    byEndpoint.insert(server, int(servers.size()));
    queued.push_back(int(servers.size()));
    servers.push_back({server, 0, State::Queued, n, 0, QList<ServerPlayer>(n)});
    ++open;
}

void PlayerRequests::Send(int index, State state, std::int64_t now, RefreshSockets& sockets,
                          RequestBudget& budget) {
    Server& server = servers[size_t(index)];
    server.state = state;
    server.sentAt = now;
    buffer.BeginPlayerInfoRequests();
    for (int number = 0; number < server.count; ++number) {
        if (server.answered & (std::uint64_t(1) << number))
            continue;
        const int length = buffer.BuildPlayerInfoRequest(std::uint8_t(number));
        sockets.Send(server.endpoint, QByteArrayView(buffer.ReceiveArea(), length));
    }
    budget.Spend();
    sent.push_back(index);
}

PlayerRequests::Done PlayerRequests::Finish(Server& server) {
    server.state = State::Done;
    --open;
    Done done{server.endpoint, {}};
    for (int number = 0; number < server.count; ++number) {
        if (server.answered & (std::uint64_t(1) << number))
            done.players.append(server.players[number]);
    }
    server.players = {};
    return done;
}

QList<PlayerRequests::Done> PlayerRequests::Pump(std::int64_t now, RefreshSockets& sockets,
                                                 RequestBudget& budget) {
    static_assert(ServerPinger::ResendAfterMs == ServerPinger::SilentAfterMs);
    QList<Done> givenUp;
    // Resends first: they are owed to the oldest requests.
    while (!sent.empty()) {
        const int i = sent.front();
        Server& server = servers[size_t(i)];
        const bool resent = server.state == State::Resent;
        if (server.state != State::Done &&
            (now - server.sentAt < ServerPinger::ResendAfterMs || (!resent && budget.Left() <= 0)))
            break;
        sent.pop_front();
        if (resent)
            givenUp.append(Finish(server));
        else if (server.state == State::Asked)
            Send(i, State::Resent, now, sockets, budget);
    }
    while (!queued.empty() && budget.Left() > 0) {
        const int i = queued.front();
        queued.pop_front();
        Send(i, State::Asked, now, sockets, budget);
    }
    return givenUp;
}

std::optional<PlayerRequests::Done> PlayerRequests::Answer(const Endpoint& sender,
                                                           const PlayerInfo& player) {
    const auto known = byEndpoint.constFind(sender);
    if (known == byEndpoint.cend())
        return std::nullopt;
    Server& server = servers[size_t(*known)];
    if (server.state == State::Done || server.state == State::Queued ||
        player.number >= server.count)
        return std::nullopt;
    const std::uint64_t bit = std::uint64_t(1) << player.number;
    if (server.answered & bit)
        return std::nullopt;
    server.answered |= bit;
    ServerPlayer& p = server.players[player.number];
    p.name = QByteArray(player.name.Data(), qsizetype(player.name.Length()));
    p.frags = player.frags;
    p.secondsConnected = player.connectTime;
    p.shirt = player.shirt;
    p.pants = player.pants;
    if (std::popcount(server.answered) < server.count)
        return std::nullopt;
    return Finish(server);
}
