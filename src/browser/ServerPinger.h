#pragma once

#include "Endpoint.h"
#include "Ping.h"
#include "TimeStamp.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <cstdint>
#include <deque>
#include <limits>
#include <optional>
#include <vector>

class RefreshSockets;

// The servers of one refresh and the requests sent to them. Each server is asked once, in the
// order it became known, at most RequestsPerTick requests a tick of TickMs; one that has not
// answered ResendAfterMs after its request is asked once more, and one that has not answered
// SilentAfterMs after that is given up. No server is sent more than these two datagrams.
class ServerPinger {
public:
    // Ten requests a millisecond, spread evenly rather than sent a hundred at once: the replies to
    // a burst would queue behind each other on a player's slow link and lengthen each other's
    // pings.
    static constexpr int TickMs = 1;
    static constexpr int RequestsPerTick = 10;
    // A tick that comes late may make up for this many ticks missed, no more, so that a busy
    // event loop slows the requests down rather than sending them in a burst.
    static constexpr int MostTicksOwed = 5;
    static constexpr int ResendAfterMs = 1000;
    static constexpr int SilentAfterMs = 1000;

    explicit ServerPinger(QByteArray request = {}) : request(std::move(request)) {}

    // Forgets every server.
    void Clear();

    // The server's index; a server unknown until now is queued.
    int Add(const Endpoint& server);
    // True the first time a master lists the server.
    bool MarkListed(int index);

    // Starts a tick: the budget of requests is full again, for every tick since the last one up to
    // MostTicksOwed, and at least for this one.
    void NewTick(std::int64_t now);
    // Resends and gives up what is due, then asks queued servers within the budget left.
    // Returns the servers given up.
    QList<Endpoint> Pump(const Clock& clock, RefreshSockets& sockets);

    // The ping of an answer from this sender, when it is a server that was asked and had not
    // answered yet.
    std::optional<Ping> Answer(const Endpoint& sender, std::int64_t now);

    int Count() const { return int(servers.size()); }
    int AnsweredCount() const { return answered; }
    // Every server has answered or been given up.
    bool Idle() const { return open == 0; }

private:
    enum class State : std::uint8_t { Queued, Asked, Resent, Answered, Silent };

    struct Server {
        Endpoint endpoint;
        std::int64_t sentAt = 0;
        State state = State::Queued;
        bool listed = false;
    };

    void Send(int index, State state, const Clock& clock, RefreshSockets& sockets);
    // The next server of the queue that is still in this state and whose time is up, or -1.
    // Servers that left the state meanwhile are dropped from the queue on the way.
    int NextDue(std::deque<int>& queue, State state, int afterMs, std::int64_t now);

    QByteArray request;
    std::vector<Server> servers;
    QHash<Endpoint, int> byEndpoint;
    // Indices in the order of their requests, so the oldest is always at the front; a server that
    // answered meanwhile is skipped when it comes up.
    std::deque<int> queued;
    std::deque<int> asked;
    std::deque<int> resent;
    int budget = RequestsPerTick;
    // The first tick of a refresh owes nothing for the time before it.
    std::int64_t lastTick = std::numeric_limits<std::int64_t>::max();
    int answered = 0;
    int open = 0;
};
