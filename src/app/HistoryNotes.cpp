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
    const QList<std::optional<PlayerSeen>> seen = store->LastSeen(buddies);
    QStringList lines;
    for (qsizetype i = 0; i < buddies.size(); ++i) {
        const QString& buddy = buddies[i];
        lines << (seen[i] ? QStringLiteral("%1: %2, %3")
                                .arg(buddy, seen[i]->server, SeenTime(seen[i]->last))
                          : QStringLiteral("%1: not seen yet").arg(buddy));
    }
    return lines.join(u'\n');
}
