#include "HistorySql.h"
#include "HistoryStore.h"
#include "HourRows.h"

#include <cmath>

namespace {

// Both tables are keyed by server first: naming every server makes each one's old rows a range
// of the key to drop, where the time alone would read the whole table.
const QString ByServer = QStringLiteral("server IN (SELECT id FROM servers)");

// The earliest sample's time; nothing when there are none.
std::optional<qint64> EarliestSample(const QSqlDatabase& db) {
    auto query = RunSql(db, QStringLiteral("SELECT min((SELECT min(time) FROM samples WHERE "
                                           "server = k.id)) FROM servers k"));
    if (!query || !query->next() || query->value(0).isNull())
        return std::nullopt;
    return query->value(0).toLongLong();
}

} // namespace

bool HistoryStore::RollUp(const QDateTime& now) {
    if (!enabled)
        return false;
    const QSqlDatabase db = Db();
    const qint64 rawFrom = StoredTime(now) - qint64(RawHours) * HourSeconds;
    // Whole hours only: the hour under way at the limit keeps its samples a little longer.
    const qint64 limit = rawFrom - rawFrom % HourSeconds;
    const qint64 hourlyFrom = StoredTime(now.addDays(-HourlyDays));
    if (!RunSql(db, QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    const auto earliest = EarliestSample(db);
    // Rows already rolled up for the same hours (a clock set back) are read with the samples
    // and merged into them.
    const auto rows = earliest && *earliest < limit
                          ? ReadHours(db, std::nullopt, *earliest - *earliest % HourSeconds, limit)
                          : QMap<HourKey, HourRow>{};
    bool written = true;
    for (auto row = rows.cbegin(); written && row != rows.cend(); ++row) {
        const auto server = servers.Find(db, row.key().first.toUtf8());
        QStringList mapIds;
        for (const QString& map : row->maps) {
            const auto id = maps.Add(db, map.toUtf8());
            written = written && id;
            mapIds.append(QString::number(id.value_or(0)));
        }
        written = written && server &&
                  RunSql(db,
                         QStringLiteral("INSERT OR REPLACE INTO hours (server, hour, answers, "
                                        "silences, ping, spread, players, max, maps) VALUES "
                                        "(?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                         {*server, row.key().second, row->answers, row->silences,
                          qRound(row->pingMedian * 10), qRound(row->pingSpread * 10),
                          qRound(row->playersMean * 100), row->playersMax, mapIds.join(u',')});
    }
    written = written &&
              RunSql(db, QStringLiteral("DELETE FROM samples WHERE %1 AND time < ?").arg(ByServer),
                     {limit}) &&
              RunSql(db, QStringLiteral("DELETE FROM hours WHERE %1 AND hour < ?").arg(ByServer),
                     {hourlyFrom}) &&
              RunSql(db, QStringLiteral("DELETE FROM sightings WHERE last < ?"), {hourlyFrom});
    if (written && RunSql(db, QStringLiteral("COMMIT")))
        return true;
    RunSql(db, QStringLiteral("ROLLBACK"));
    maps.Forget();
    return false;
}
