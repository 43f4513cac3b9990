#include "HistorySql.h"
#include "HistoryStore.h"
#include "HourSummary.h"
#include "NameMatch.h"

#include <QMap>
#include <limits>

namespace {

constexpr qint64 HourSeconds = 3600;

// The start of the first hour that starts at or after the time.
qint64 HourAtOrAfter(qint64 time) {
    const qint64 start = time - time % HourSeconds;
    return start < time ? start + HourSeconds : start;
}

QVariant ServerValue(std::optional<qint64> server) {
    return server ? QVariant(*server) : QVariant(QMetaType::fromType<qint64>());
}

QHash<qint64, QString> MapNames(const QSqlDatabase& db) {
    QHash<qint64, QString> names;
    auto query = RunSql(db, QStringLiteral("SELECT id, key FROM maps"));
    while (query && query->next())
        names.insert(query->value(0).toLongLong(),
                     QString::fromUtf8(query->value(1).toByteArray()));
    return names;
}

using HourKey = std::pair<QString, qint64>;

void AddRolledUp(const QSqlDatabase& db, const QVariantList& range, QMap<HourKey, HourRow>& rows) {
    const QHash<qint64, QString> mapNames = MapNames(db);
    auto query = RunSql(db,
                        QStringLiteral("SELECT k.key, h.hour, h.answers, h.silences, h.ping, "
                                       "h.spread, h.players, h.max, h.maps FROM hours h JOIN "
                                       "servers k ON k.id = h.server WHERE (? IS NULL OR "
                                       "h.server = ?) AND h.hour >= ? AND h.hour < ?"),
                        range);
    while (query && query->next()) {
        HourRow row;
        row.server = QString::fromUtf8(query->value(0).toByteArray());
        row.hour = TimeFromStored(query->value(1).toLongLong());
        row.answers = query->value(2).toInt();
        row.silences = query->value(3).toInt();
        row.pingMedian = query->value(4).toDouble() / 10;
        row.pingSpread = query->value(5).toDouble() / 10;
        row.playersMean = query->value(6).toDouble() / 100;
        row.playersMax = query->value(7).toInt();
        const QStringList ids = query->value(8).toString().split(u',', Qt::SkipEmptyParts);
        for (const QString& id : ids)
            row.maps.append(mapNames.value(id.toLongLong()));
        rows.insert({row.server, query->value(1).toLongLong()}, row);
    }
}

void AddRaw(const QSqlDatabase& db, const QVariantList& range, QMap<HourKey, HourRow>& rows) {
    auto query = RunSql(db,
                        QStringLiteral("SELECT k.key, s.time, s.ping, s.players, m.key FROM "
                                       "samples s JOIN servers k ON k.id = s.server LEFT JOIN "
                                       "maps m ON m.id = s.map WHERE (? IS NULL OR s.server = "
                                       "?) AND s.time >= ? AND s.time < ?"),
                        range);
    QMap<HourKey, QList<RawSample>> samples;
    while (query && query->next()) {
        const qint64 time = query->value(1).toLongLong();
        RawSample sample;
        if (!query->value(2).isNull())
            sample.pingMs = query->value(2).toInt();
        sample.players = query->value(3).toInt();
        sample.map = QString::fromUtf8(query->value(4).toByteArray());
        samples[{QString::fromUtf8(query->value(0).toByteArray()), time - time % HourSeconds}]
            .append(sample);
    }
    for (auto hour = samples.cbegin(); hour != samples.cend(); ++hour) {
        HourRow row = SummarizeHour(*hour);
        row.server = hour.key().first;
        row.hour = TimeFromStored(hour.key().second);
        const auto kept = rows.constFind(hour.key());
        rows.insert(hour.key(), kept == rows.constEnd() ? row : MergeHours(*kept, row));
    }
}

} // namespace

QList<HourRow> HistoryStore::HourRows(std::optional<qint64> server, qint64 from, qint64 to) const {
    if (!enabled)
        return {};
    const QSqlDatabase db = Db();
    // One read transaction, so that a roll-up in another program cannot move samples between
    // the two reads.
    RunSql(db, QStringLiteral("BEGIN"));
    QMap<HourKey, HourRow> rows;
    const QVariantList range{ServerValue(server), ServerValue(server), HourAtOrAfter(from),
                             HourAtOrAfter(to)};
    AddRolledUp(db, range, rows);
    AddRaw(db, range, rows);
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

std::optional<PlayerSeen> HistoryStore::LastSeen(const QString& text) const {
    if (!enabled)
        return std::nullopt;
    auto query = RunSql(Db(), QStringLiteral("SELECT p.key, k.key, s.first, s.last FROM "
                                             "sightings s JOIN players p ON p.id = s.player JOIN "
                                             "servers k ON k.id = s.server ORDER BY s.last DESC"));
    while (query && query->next()) {
        const QByteArray name = query->value(0).toByteArray();
        if (NameContains(name, text)) {
            return PlayerSeen{name, QString::fromUtf8(query->value(1).toByteArray()),
                              TimeFromStored(query->value(2).toLongLong()),
                              TimeFromStored(query->value(3).toLongLong())};
        }
    }
    return std::nullopt;
}

std::optional<QDateTime> HistoryStore::LastAnswered(const QString& server) const {
    const auto id = enabled ? servers.Find(Db(), server.toUtf8()) : std::nullopt;
    if (!id)
        return std::nullopt;
    // The samples when there are any; else the start of the last rolled-up hour it answered in.
    auto query = RunSql(Db(),
                        QStringLiteral("SELECT coalesce((SELECT max(time) FROM samples WHERE "
                                       "server = ? AND ping IS NOT NULL), (SELECT max(hour) FROM "
                                       "hours WHERE server = ? AND answers > 0))"),
                        {*id, *id});
    if (!query || !query->next() || query->value(0).isNull())
        return std::nullopt;
    return TimeFromStored(query->value(0).toLongLong());
}
