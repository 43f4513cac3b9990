#include "QuerySample.h"

#include "HostPort.h"
#include "QueryEngine.h"

#include <algorithm>

HistorySample QuerySample(const QueryEngine& engine, bool answered) {
    const MainFields& f = engine.fields;
    HistorySample sample;
    sample.server = HostPortText({f.serverHost, f.port});
    sample.answered = answered;
    if (!answered)
        return sample;
    sample.pingMs = f.ping.milliseconds;
    sample.players = f.currentPlayers;
    sample.maxPlayers = f.maxPlayers;
    sample.name = f.serverName;
    sample.map = f.mapName;
    // The slots keep the players of earlier queries; only those counted in this one are in it.
    const PlayerSlots& players = engine.handlers.Players();
    for (int n = 0; n < std::min(f.currentPlayers, PlayerSlotCount); ++n) {
        const FixedText<52>& name = players[size_t(n)].name;
        if (engine.state.countedPlayers.test(size_t(n)))
            sample.playerNames.append(QByteArray(name.Data(), qsizetype(name.Length())));
    }
    return sample;
}
