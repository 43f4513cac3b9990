#include "HistoryNotes.h"

#include "HistoryStore.h"

namespace {

bool On(const HistoryStore* store) {
    return store && store->Enabled();
}

} // namespace

QString SeenTime(const QDateTime& time) {
    return time.toLocalTime().toString(QStringLiteral("ddd d MMM HH:mm"));
}

QHash<QString, QDateTime> LastAnsweredTimes(const HistoryStore* store) {
    return On(store) ? store->LastAnswered() : QHash<QString, QDateTime>();
}

QString BuddiesSeenText(const HistoryStore* store, const QStringList& buddies) {
    if (!On(store))
        return {};
    QStringList lines;
    for (const QString& buddy : buddies) {
        const std::optional<PlayerSeen> seen = store->LastSeen(buddy);
        lines << (seen ? QStringLiteral("%1: %2, %3").arg(buddy, seen->server, SeenTime(seen->last))
                       : QStringLiteral("%1: not seen yet").arg(buddy));
    }
    return lines.join(u'\n');
}
