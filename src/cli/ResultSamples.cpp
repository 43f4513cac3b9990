#include "ResultSamples.h"

#include "GameText.h"

HistorySample ResultSample(const QString& server, const QueryResult& result) {
    HistorySample sample;
    sample.server = server;
    sample.answered = result.serverInfo;
    if (!sample.answered)
        return sample;
    sample.pingMs = result.ping.milliseconds;
    sample.players = result.currentPlayers;
    sample.maxPlayers = result.maxPlayers;
    sample.name = AsciiText(result.serverName);
    sample.map = AsciiText(result.mapName);
    for (const PlayerResult& player : result.players)
        sample.playerNames.append(player.name);
    return sample;
}

QList<HistorySample> RefreshSamples(const QList<RefreshEntry>& entries) {
    QList<HistorySample> samples;
    for (const RefreshEntry& entry : entries) {
        if (entry.outcome == RefreshEntry::Outcome::NotFound)
            continue;
        HistorySample sample = ResultSample(entry.address, entry.server);
        if (sample.answered) {
            sample.mod = AsciiText(entry.mod);
            sample.playerNames.clear();
            for (const ServerPlayer& player : entry.players.value_or(QList<ServerPlayer>{}))
                sample.playerNames.append(player.name);
        }
        samples.append(sample);
    }
    return samples;
}
