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
    lastTick = std::numeric_limits<std::int64_t>::max();
    answered = 0;
    open = 0;
}

void ServerPinger::NewTick(std::int64_t now) {
    const std::int64_t ticks =
        std::clamp<std::int64_t>((now - lastTick) / TickMs, 1, MostTicksOwed);
    budget = RequestsPerTick * int(ticks);
    lastTick = now;
}

int ServerPinger::Add(const Endpoint& server) {
    const auto known = byEndpoint.constFind(server);
    if (known != byEndpoint.cend())
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

void ServerPinger::Send(int index, State state, const Clock& clock, RefreshSockets& sockets) {
    Server& server = servers[index];
    server.state = state;
    // Read for each request: the thread may lose the processor between two of them.
    server.sentAt = clock.Reading().Milliseconds();
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

QList<Endpoint> ServerPinger::Pump(const Clock& clock, RefreshSockets& sockets) {
    const std::int64_t now = clock.Reading().Milliseconds();
    // Resends first: they are owed to the oldest requests.
    for (int i = 0; budget > 0 && (i = NextDue(asked, State::Asked, ResendAfterMs, now)) >= 0;) {
        Send(i, State::Resent, clock, sockets);
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
        Send(i, State::Asked, clock, sockets);
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
