#include "ServerPinger.h"

#include "RefreshSockets.h"

#include <algorithm>
#include <limits>
#include <utility>

void ServerPinger::Clear() {
    servers.clear();
    byEndpoint.clear();
    queued.clear();
    asked.clear();
    resent.clear();
    budget = RequestsPerTick;
    answered = 0;
    open = 0;
}

int ServerPinger::Add(const Endpoint& server, bool& isNew) {
    const auto known = byEndpoint.constFind(server);
    isNew = known == byEndpoint.cend();
    if (!isNew)
        return *known;
    const int index = int(servers.size());
    servers.push_back({server});
    byEndpoint.insert(server, index);
    queued.push_back(index);
    ++open;
    return index;
}

bool ServerPinger::MarkListed(int index) {
    return !std::exchange(servers[index].listed, true);
}

void ServerPinger::Send(int index, State state, std::int64_t now, RefreshSockets& sockets) {
    Server& server = servers[index];
    server.state = state;
    server.sentAt = now;
    sockets.Send(server.endpoint, request);
    --budget;
}

int ServerPinger::NextDue(std::deque<int>& queue, State state, int afterMs, std::int64_t now) {
    while (!queue.empty()) {
        const int i = queue.front();
        const bool waits = servers[i].state == state;
        if (waits && now - servers[i].sentAt < afterMs)
            return -1;
        queue.pop_front();
        if (waits)
            return i;
    }
    return -1;
}

QList<Endpoint> ServerPinger::Pump(std::int64_t now, RefreshSockets& sockets) {
    // Resends first: they are owed to the oldest requests.
    for (int i = 0; budget > 0 && (i = NextDue(asked, State::Asked, ResendAfterMs, now)) >= 0;) {
        Send(i, State::Resent, now, sockets);
        resent.push_back(i);
    }
    QList<Endpoint> givenUp;
    for (int i = 0; (i = NextDue(resent, State::Resent, SilentAfterMs, now)) >= 0;) {
        servers[i].state = State::Silent;
        --open;
        givenUp.append(servers[i].endpoint);
    }
    while (!queued.empty() && budget > 0) {
        const int i = queued.front();
        queued.pop_front();
        Send(i, State::Asked, now, sockets);
        asked.push_back(i);
    }
    return givenUp;
}

std::optional<Ping> ServerPinger::Answer(const Endpoint& sender, std::int64_t now) {
    const auto known = byEndpoint.constFind(sender);
    if (known == byEndpoint.cend())
        return std::nullopt;
    Server& server = servers[*known];
    if (server.state != State::Asked && server.state != State::Resent)
        return std::nullopt;
    const bool afterResend = server.state == State::Resent;
    const std::int64_t ms =
        std::clamp<std::int64_t>(now - server.sentAt, 0, std::numeric_limits<int>::max());
    server.state = State::Answered;
    ++answered;
    --open;
    return Ping{int(ms), afterResend};
}
