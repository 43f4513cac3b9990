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

// The requests a refresh may still send in this tick: RequestsPerTick a tick of TickMs, spread
// evenly rather than sent a hundred at once, since the replies to a burst would queue behind each
// other on a player's slow link and lengthen each other's pings.
class RequestBudget {
public:
    static constexpr int TickMs = 1;
    static constexpr int RequestsPerTick = 10;
    // A tick that comes late may make up for this many ticks missed, no more, so that a busy
    // event loop slows the requests down rather than sending them in a burst.
    static constexpr int MostTicksOwed = 5;

    void Clear();
    // Starts a tick: the budget is full again, for every tick since the last one up to
    // MostTicksOwed, and at least for this one.
    void NewTick(std::int64_t now);
    int Left() const { return left; }
    void Spend() { --left; }

private:
    int left = RequestsPerTick;
    // The first tick of a refresh owes nothing for the time before it.
    std::int64_t lastTick = std::numeric_limits<std::int64_t>::max();
};

// What a server is asked in one go: its server info and, when the refresh has a status request,
// its status.
enum class ServerRequest : std::uint8_t { Info = 1, Status = 2 };

// The servers of one refresh and the requests sent to them. Each server is asked once, in the
// order it became known, both requests together within the budget; what it has not answered
// ResendAfterMs after is asked once more, and a server that has not answered SilentAfterMs after
// that is given up. No server is sent more than two of each request.
class ServerPinger {
public:
    static constexpr int TickMs = RequestBudget::TickMs;
    static constexpr int ResendAfterMs = 1000;
    static constexpr int SilentAfterMs = 1000;
    // How long a server that answered its server info may take to answer its status as well,
    // before it counts as a plain NetQuake server. Both requests leave together and the engines
    // answer each at once, so the status answer comes close behind.
    static constexpr int StatusGraceMs = 200;

    explicit ServerPinger(QByteArray infoRequest = {}, QByteArray statusRequest = {})
        : infoRequest(std::move(infoRequest)), statusRequest(std::move(statusRequest)) {}

    // Forgets every server.
    void Clear();

    // The server's index; a server unknown until now is queued.
    int Add(const Endpoint& server);
    // True the first time a master lists the server.
    bool MarkListed(int index);

    struct Pumped {
        QList<Endpoint> silent;
        // Servers that answered the server-info request and not the status request in time,
        // with the player count they told.
        QList<std::pair<Endpoint, int>> plain;
    };
    // Resends and gives up what is due, then asks queued servers within the budget.
    Pumped Pump(const Clock& clock, RefreshSockets& sockets, RequestBudget& budget);

    // The ping of an answer from this sender, when it is a server that was asked and had not
    // answered this request yet. players is what a server-info answer tells.
    std::optional<Ping> Answer(const Endpoint& sender, ServerRequest request, std::int64_t now,
                               int players = 0);
    bool HasAnswered(const Endpoint& server, ServerRequest request) const;

    int Count() const { return int(servers.size()); }
    // Servers that answered either request.
    int AnsweredCount() const { return answered; }
    // Every server has answered or been given up.
    bool Idle() const { return open == 0; }

private:
    enum class State : std::uint8_t { Queued, Asked, Resent, Done, Silent };

    struct Server {
        Endpoint endpoint;
        std::int64_t sentAt = 0;
        std::int64_t infoAt = 0;
        State state = State::Queued;
        bool listed = false;
        std::uint8_t answers = 0;
        std::uint8_t players = 0;
    };

    bool Has(const Server& server, ServerRequest request) const;
    bool Waits(const Server& server) const;
    void Send(int index, State state, const Clock& clock, RefreshSockets& sockets,
              RequestBudget& budget);
    void Close(int index, State state);
    // The next server of the queue that is still in this state and whose time is up, or -1.
    // Servers that left the state meanwhile are dropped from the queue on the way.
    int NextDue(std::deque<int>& queue, State state, int afterMs, std::int64_t now);
    void EndGraces(std::int64_t now, Pumped& pumped);

    QByteArray infoRequest;
    QByteArray statusRequest;
    std::vector<Server> servers;
    QHash<Endpoint, int> byEndpoint;
    // Indices in the order of their requests, so the oldest is always at the front; a server that
    // answered meanwhile is skipped when it comes up.
    std::deque<int> queued;
    std::deque<int> asked;
    std::deque<int> resent;
    // Servers that answered their server info and may still answer their status, oldest first.
    std::deque<int> graced;
    int answered = 0;
    int open = 0;
};
