#include "ServerFilter.h"

#include "ServerRow.h"

bool ServerFilter::Accepts(const ServerRow& row) const {
    const ServerAnswer* answer = row.answer ? &*row.answer : nullptr;
    if (hideEmpty && (!answer || answer->currentPlayers == 0))
        return false;
    if (hideFull && answer && answer->maxPlayers > 0 &&
        answer->currentPlayers >= answer->maxPlayers)
        return false;
    if (netQuakeOnly && answer && !answer->netQuake)
        return false;
    if (!player.isEmpty() && PlayersNamed(row, {player}).isEmpty())
        return false;
    const QString wanted = text.trimmed();
    if (wanted.isEmpty())
        return true;
    const auto holds = [&](const QString& field) {
        return field.contains(wanted, Qt::CaseInsensitive);
    };
    return holds(HostPortText(row.target)) ||
           (answer && (holds(answer->name) || holds(answer->map)));
}
