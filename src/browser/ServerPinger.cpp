#include "ServerPinger.h"

#include "RefreshSockets.h"

#include <algorithm>
#include <limits>
#include <utility>

void RequestBudget::Clear() {
    *this = {};
}

void RequestBudget::NewTick(std::int64_t now) {
    const std::int64_t ticks =
        std::clamp<std::int64_t>((now - lastTick) / TickMs, 1, MostTicksOwed);
    left = RequestsPerTick * int(ticks);
    lastTick = now;
}

void ServerPinger::Clear() {
    servers.clear();
    byEndpoint.clear();
    queued.clear();
    asked.clear();
    resent.clear();
    graced.clear();
    answered = 0;
    open = 0;
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

bool ServerPinger::Has(const Server& server, ServerRequest request) const {
    return server.answers & std::uint8_t(request);
}

bool ServerPinger::Waits(const Server& server) const {
    return server.state == State::Asked || server.state == State::Resent;
}

// Sends what the server has not answered yet.
void ServerPinger::Send(int index, State state, const Clock& clock, RefreshSockets& sockets,
                        RequestBudget& budget) {
    Server& server = servers[index];
    server.state = state;
    // Read for each server: the thread may lose the processor between two of them.
    server.sentAt = clock.Reading().Milliseconds();
    if (!Has(server, ServerRequest::Info))
        sockets.Send(server.endpoint, infoRequest);
    if (!statusRequest.isEmpty() && !Has(server, ServerRequest::Status))
        sockets.Send(server.endpoint, statusRequest);
    budget.Spend();
}

void ServerPinger::Close(int index, State state) {
    servers[index].state = state;
    --open;
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

void ServerPinger::EndGraces(std::int64_t now, Pumped& pumped) {
    while (!graced.empty()) {
        const int i = graced.front();
        const Server& server = servers[i];
        const bool waits = Waits(server) && !Has(server, ServerRequest::Status);
        if (waits && now - server.infoAt < StatusGraceMs)
            return;
        graced.pop_front();
        if (!waits)
            continue;
        pumped.plain.append({server.endpoint, server.players});
        Close(i, State::Done);
    }
}

ServerPinger::Pumped ServerPinger::Pump(const Clock& clock, RefreshSockets& sockets,
                                        RequestBudget& budget) {
    const std::int64_t now = clock.Reading().Milliseconds();
    Pumped pumped;
    EndGraces(now, pumped);
    // Resends first: they are owed to the oldest requests.
    for (int i = 0;
         budget.Left() > 0 && (i = NextDue(asked, State::Asked, ResendAfterMs, now)) >= 0;) {
        Send(i, State::Resent, clock, sockets, budget);
        resent.push_back(i);
    }
    // A server that answered only its status is done waiting for its server info, not silent.
    for (int i = 0; (i = NextDue(resent, State::Resent, SilentAfterMs, now)) >= 0;) {
        const bool silent = servers[i].answers == 0;
        Close(i, silent ? State::Silent : State::Done);
        if (silent)
            pumped.silent.append(servers[i].endpoint);
    }
    while (!queued.empty() && budget.Left() > 0) {
        const int i = queued.front();
        queued.pop_front();
        Send(i, State::Asked, clock, sockets, budget);
        asked.push_back(i);
    }
    return pumped;
}

std::optional<Ping> ServerPinger::Answer(const Endpoint& sender, ServerRequest request,
                                         std::int64_t now, int players) {
    const auto known = byEndpoint.constFind(sender);
    if (known == byEndpoint.cend())
        return std::nullopt;
    Server& server = servers[*known];
    if (!Waits(server) || Has(server, request))
        return std::nullopt;
    const bool afterResend = server.state == State::Resent;
    const std::int64_t ms =
        std::clamp<std::int64_t>(now - server.sentAt, 0, std::numeric_limits<int>::max());
    if (server.answers == 0)
        ++answered;
    server.answers |= std::uint8_t(request);
    const bool asksStatus = !statusRequest.isEmpty();
    if (request == ServerRequest::Info && asksStatus && !Has(server, ServerRequest::Status)) {
        server.infoAt = now;
        server.players = std::uint8_t(std::clamp(players, 0, 255));
        graced.push_back(*known);
    }
    if (Has(server, ServerRequest::Info) && (!asksStatus || Has(server, ServerRequest::Status)))
        Close(*known, State::Done);
    return Ping{int(ms), afterResend};
}

bool ServerPinger::HasAnswered(const Endpoint& server, ServerRequest request) const {
    const auto known = byEndpoint.constFind(server);
    return known != byEndpoint.cend() && Has(servers[*known], request);
}
