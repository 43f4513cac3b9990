#include "PlayerChurn.h"

#include "DemoConfig.h"
#include "QuakeServerStandIn.h"

namespace {

// Past the demo servers' own players, so that a joining player's name is new on the server.
constexpr int FirstJoinerName = 64;

} // namespace

PlayerChurn::PlayerChurn(QuakeServerStandIn& server, quint32 seed, QObject* parent)
    : QObject(parent), server(server), state(seed) {
    connect(&timer, &QTimer::timeout, this, &PlayerChurn::Step);
}

void PlayerChurn::Start(int intervalMs) {
    timer.start(intervalMs);
}

void PlayerChurn::Step() {
    // A linear congruential generator: the same seed gives the same joins and leaves.
    state = state * 1664525u + 1013904223u;
    QList<StandInPlayer>& players = server.Config().players;
    const bool full = players.size() >= server.Config().maxPlayers;
    if (!full && (players.isEmpty() || (state >> 16) & 1)) {
        players.append(DemoPlayer(FirstJoinerName + joined++));
        return;
    }
    if (!players.isEmpty())
        players.removeAt(qsizetype((state >> 8) % quint32(players.size())));
}
