#include "SamplesFromRows.h"

#include "ServerTableModel.h"

QList<HistorySample> SamplesFromRows(const ServerTableModel& model) {
    QList<HistorySample> samples;
    for (int i = 0; i < model.rowCount(); ++i) {
        const ServerRow& row = model.Row(i);
        const bool answered = row.state == RowState::Answered && row.answer;
        if (!row.current || (!answered && row.state != RowState::Silent))
            continue;
        HistorySample sample;
        sample.server = HostPortText(row.target);
        sample.answered = answered;
        if (answered) {
            sample.pingMs = row.answer->ping.milliseconds;
            sample.players = row.answer->currentPlayers;
            sample.maxPlayers = row.answer->maxPlayers;
            sample.name = row.answer->name;
            sample.map = row.answer->map;
        }
        if (answered && row.status) {
            sample.mod = row.status->mod;
            for (const ServerPlayer& player : row.status->players)
                sample.playerNames.append(player.name);
        }
        samples.append(sample);
    }
    return samples;
}
