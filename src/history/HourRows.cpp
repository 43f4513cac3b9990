#include "HourRows.h"

#include "HistorySql.h"
#include "HourSummary.h"

namespace {

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

void AddRolledUp(const QSqlDatabase& db, const QVariantList& range, QMap<HourKey, HourRow>& rows) {
    const QHash<qint64, QString> mapNames = MapNames(db);
    auto query = RunSql(db,
                        QStringLiteral("SELECT k.key, h.hour, h.answers, h.silences, h.ping, "
                                       "h.spread, h.players, h.max, h.maps FROM servers k "
                                       "CROSS JOIN hours h ON h.server = k.id WHERE (? IS NULL "
                                       "OR k.id = ?) AND h.hour >= ? AND h.hour < ?"),
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
                                       "servers k CROSS JOIN samples s ON s.server = k.id LEFT "
                                       "JOIN maps m ON m.id = s.map WHERE (? IS NULL OR k.id = "
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

// Servers first, so that each server's rows are one range of the table's key, for every server
// as for one.
QMap<HourKey, HourRow> ReadHours(const QSqlDatabase& db, std::optional<qint64> server, qint64 from,
                                 qint64 to) {
    QMap<HourKey, HourRow> rows;
    const QVariantList range{ServerValue(server), ServerValue(server), HourAtOrAfter(from),
                             HourAtOrAfter(to)};
    AddRolledUp(db, range, rows);
    AddRaw(db, range, rows);
    return rows;
}
