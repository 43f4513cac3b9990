#include "WatchEvents.h"

#include "NameMatch.h"

#include <algorithm>

namespace {

bool IsBuddy(const QByteArray& player, const QStringList& buddies) {
    return std::any_of(buddies.begin(), buddies.end(),
                       [&](const QString& buddy) { return NameContains(player, buddy); });
}

// The buddies among the players, each name once.
QList<QByteArray> Buddies(const QList<QByteArray>& players, const QStringList& buddies) {
    QList<QByteArray> found;
    for (const QByteArray& player : players) {
        if (IsBuddy(player, buddies) && !found.contains(player))
            found.append(player);
    }
    return found;
}

bool Full(const WatchedServer& s) {
    return s.maxPlayers > 0 && s.currentPlayers >= s.maxPlayers;
}

int Threshold(const WatchedServer& s, const WatchRules& rules) {
    return s.alert.minPlayers > 0 ? s.alert.minPlayers : rules.minPlayers;
}

void Compare(const WatchedServer& before, WatchedServer& now, const WatchRules& rules,
             QList<WatchEvent>& events) {
    const auto tell = [&](WatchEventKind kind, const QByteArray& player = {}) {
        events.append({kind, now.server, now.name, player});
    };
    const QList<QByteArray> was = Buddies(before.players, rules.buddies);
    const QList<QByteArray> is = Buddies(now.players, rules.buddies);
    for (const QByteArray& buddy : is) {
        if (!was.contains(buddy))
            tell(WatchEventKind::BuddyJoined, buddy);
    }
    for (const QByteArray& buddy : was) {
        if (is.contains(buddy))
            continue;
        if (now.playersComplete)
            tell(WatchEventKind::BuddyLeft, buddy);
        else
            // Maybe only his line was lost: he stays until a whole list says otherwise.
            now.players.append(buddy);
    }
    const int threshold = Threshold(now, rules);
    if (threshold > 0 && before.currentPlayers < threshold && now.currentPlayers >= threshold)
        tell(WatchEventKind::PlayersReached);
    if (now.alert.room && Full(before) && !Full(now))
        tell(WatchEventKind::SlotFree);
}

} // namespace

QString WatchEventName(WatchEventKind kind) {
    switch (kind) {
    case WatchEventKind::BuddyJoined:
        return QStringLiteral("buddy-joined");
    case WatchEventKind::BuddyLeft:
        return QStringLiteral("buddy-left");
    case WatchEventKind::PlayersReached:
        return QStringLiteral("players-reached");
    case WatchEventKind::SlotFree:
        break;
    }
    return QStringLiteral("slot-free");
}

QList<WatchEvent> NoteRefresh(WatchSnapshot& snapshot, const WatchSnapshot& answered,
                              const WatchRules& rules) {
    QList<WatchEvent> events;
    for (auto it = answered.cbegin(); it != answered.cend(); ++it) {
        WatchedServer now = it.value();
        Compare(snapshot.value(it.key()), now, rules, events);
        snapshot.insert(it.key(), now);
    }
    return events;
}
