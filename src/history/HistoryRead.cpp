#include "HistorySql.h"
#include "HistoryStore.h"
#include "HourRows.h"
#include "NameMatch.h"

#include <limits>

QList<HourRow> HistoryStore::HourRows(std::optional<qint64> server, qint64 from, qint64 to) const {
    if (!enabled)
        return {};
    const QSqlDatabase db = Db();
    // One read transaction, so that a roll-up in another program cannot move samples between
    // the two reads.
    RunSql(db, QStringLiteral("BEGIN"));
    const QMap<HourKey, HourRow> rows = ReadHours(db, server, from, to);
    RunSql(db, QStringLiteral("COMMIT"));
    return rows.values();
}

QList<HourRow> HistoryStore::Hours(const QString& server, const QDateTime& from,
                                   const QDateTime& to) const {
    const auto id = enabled ? servers.Find(Db(), server.toUtf8()) : std::nullopt;
    return id ? HourRows(id, StoredTime(from), StoredTime(to)) : QList<HourRow>{};
}

QList<HourRow> HistoryStore::AllHours() const {
    return HourRows(std::nullopt, std::numeric_limits<qint32>::min(),
                    std::numeric_limits<qint64>::max() - HourSeconds);
}

BusyHours HistoryStore::Busy(const QString& server) const {
    BusyHours sums{};
    std::array<std::array<int, 24>, 7> counts{};
    const auto rows = Hours(server, QDateTime::fromSecsSinceEpoch(0, Qt::UTC),
                            TimeFromStored(std::numeric_limits<qint32>::max()));
    for (const HourRow& row : rows) {
        // An hour the server never answered tells nothing of its players.
        if (row.answers == 0)
            continue;
        const auto day = std::size_t(row.hour.date().dayOfWeek() - 1);
        const auto hour = std::size_t(row.hour.time().hour());
        sums[day][hour] += row.playersMean;
        ++counts[day][hour];
    }
    for (std::size_t day = 0; day < sums.size(); ++day) {
        for (std::size_t hour = 0; hour < sums[day].size(); ++hour)
            sums[day][hour] = counts[day][hour] ? sums[day][hour] / counts[day][hour] : 0;
    }
    return sums;
}

QList<PlayerSeen> HistoryStore::PlayersSeenOn(const QString& server, int most) const {
    QList<PlayerSeen> seen;
    const auto id = enabled ? servers.Find(Db(), server.toUtf8()) : std::nullopt;
    if (!id)
        return seen;
    auto query = RunSql(Db(),
                        QStringLiteral("SELECT p.key, s.first, s.last FROM sightings s JOIN "
                                       "players p ON p.id = s.player WHERE s.server = ? ORDER BY "
                                       "s.last DESC LIMIT ?"),
                        {*id, most});
    while (query && query->next()) {
        seen.append({query->value(0).toByteArray(), server,
                     TimeFromStored(query->value(1).toLongLong()),
                     TimeFromStored(query->value(2).toLongLong())});
    }
    return seen;
}

QList<std::optional<PlayerSeen>> HistoryStore::LastSeen(const QStringList& texts) const {
    QList<std::optional<PlayerSeen>> seen(texts.size());
    if (!enabled || texts.isEmpty())
        return seen;
    // One pass over the sightings, newest first, serves every text; it ends once each has its
    // player.
    auto query = RunSql(Db(), QStringLiteral("SELECT p.key, k.key, s.first, s.last FROM "
                                             "sightings s JOIN players p ON p.id = s.player JOIN "
                                             "servers k ON k.id = s.server ORDER BY s.last DESC"));
    qsizetype missing = texts.size();
    while (missing > 0 && query && query->next()) {
        const QByteArray name = query->value(0).toByteArray();
        for (qsizetype i = 0; i < texts.size(); ++i) {
            if (seen[i] || !NameContains(name, texts[i]))
                continue;
            seen[i] = PlayerSeen{name, QString::fromUtf8(query->value(1).toByteArray()),
                                 TimeFromStored(query->value(2).toLongLong()),
                                 TimeFromStored(query->value(3).toLongLong())};
            --missing;
        }
    }
    return seen;
}

QHash<QString, QDateTime> HistoryStore::LastAnswered() const {
    QHash<QString, QDateTime> times;
    if (!enabled)
        return times;
    // Every server in one statement, as the table asks for all of them at each refresh's end.
    // The samples when there are any; else the start of the last rolled-up hour it answered in.
    auto query = RunSql(Db(), QStringLiteral("SELECT k.key, coalesce((SELECT max(time) FROM "
                                             "samples WHERE server = k.id AND ping IS NOT NULL), "
                                             "(SELECT max(hour) FROM hours WHERE server = k.id AND "
                                             "answers > 0)) FROM servers k"));
    while (query && query->next()) {
        if (!query->value(1).isNull())
            times.insert(QString::fromUtf8(query->value(0).toByteArray()),
                         TimeFromStored(query->value(1).toLongLong()));
    }
    return times;
}
