#include "HistorySamples.h"

QList<HistorySample> SamplesFromRows(const QList<ServerRow>& rows) {
    QList<HistorySample> samples;
    for (const ServerRow& row : rows) {
        if (row.state != RowState::Answered && row.state != RowState::Silent)
            continue;
        HistorySample sample;
        sample.server = HostPortText(row.target);
        // A silent row still shows its last answer, which is not this refresh's.
        if (row.state == RowState::Answered && row.answer) {
            sample.answered = true;
            sample.pingMs = row.answer->ping.milliseconds;
            sample.players = row.answer->currentPlayers;
            sample.maxPlayers = row.answer->maxPlayers;
            sample.name = row.answer->name;
            sample.map = row.answer->map;
            if (row.status) {
                sample.mod = row.status->mod;
                for (const ServerPlayer& player : row.status->players)
                    sample.playerNames.append(player.name);
            }
        }
        samples.append(sample);
    }
    return samples;
}
