#pragma once

#include "Endpoint.h"
#include "PacketBuffer.h"
#include "ServerPinger.h"
#include "StatusReply.h"

#include <QHash>
#include <QList>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

// The players of the plain NetQuake servers of a refresh, which answer no status request: each is
// asked for every player number from 0 to its player count less one, at most MostPlayers, as the
// main window asks. The numbers still unanswered ServerPinger::ResendAfterMs later are asked once
// more, and ServerPinger::SilentAfterMs after that the server is done with what came.
class PlayerRequests {
public:
    static constexpr int MostPlayers = 64;

    struct Done {
        Endpoint server;
        // By player number; the numbers that never answered are left out.
        QList<ServerPlayer> players;
    };

    void Clear();
    // Queues the server's requests; count is what its server-info answer told.
    void Add(const Endpoint& server, int count);
    // Sends what is queued and resends what is due, one server's numbers at once for each place
    // in the budget. Returns the servers given up on.
    QList<Done> Pump(std::int64_t now, RefreshSockets& sockets, RequestBudget& budget);
    // The server's players once this answer was the last it owed.
    std::optional<Done> Answer(const Endpoint& sender, const PlayerInfo& player);
    bool Idle() const { return open == 0; }

private:
    enum class State : std::uint8_t { Queued, Asked, Resent, Done };

    struct Server {
        Endpoint endpoint;
        std::int64_t sentAt = 0;
        State state = State::Queued;
        int count = 0;
        std::uint64_t answered = 0;
        QList<ServerPlayer> players;
    };

    void Send(int index, State state, std::int64_t now, RefreshSockets& sockets,
              RequestBudget& budget);
    Done Finish(Server& server);

    std::vector<Server> servers;
    QHash<Endpoint, int> byEndpoint;
    std::deque<int> queued;
    // Indices in the order of their last requests; the wait for a resend and for giving up are
    // the same, so the front is always the first due.
    std::deque<int> sent;
    PacketBuffer buffer;
    int open = 0;
};
