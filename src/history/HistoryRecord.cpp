#include "HistorySql.h"
#include "HistoryStore.h"

namespace {

// The statements of a refresh, prepared once for all its servers.
struct RecordStatements {
    explicit RecordStatements(const QSqlDatabase& db) : sample(db), sighting(db), named(db) {}

    bool Prepare() {
        return sample.prepare(QStringLiteral("INSERT OR REPLACE INTO samples (server, time, ping, "
                                             "players, max, map) VALUES (?, ?, ?, ?, ?, ?)")) &&
               sighting.prepare(QStringLiteral(
                   "INSERT INTO sightings (player, server, first, last) VALUES (?, ?, ?, ?) "
                   "ON CONFLICT (player, server) DO UPDATE SET first = min(first, excluded.first), "
                   "last = max(last, excluded.last)")) &&
               named.prepare(QStringLiteral("UPDATE servers SET name = ?, mod = ? WHERE id = ?"));
    }

    QSqlQuery sample;
    QSqlQuery sighting;
    QSqlQuery named;
};

bool Run(QSqlQuery& query, const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    return query.exec();
}

} // namespace

bool HistoryStore::Record(const QList<HistorySample>& samples, const QDateTime& when) {
    if (!enabled)
        return false;
    const QSqlDatabase db = Db();
    // Immediate, so that a second writer waits at the start rather than failing halfway.
    if (!RunSql(db, QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    RecordStatements statements(db);
    bool written = statements.Prepare();
    const qint64 time = StoredTime(when);
    const QVariant silent(QMetaType::fromType<int>());
    for (const HistorySample& sample : samples) {
        if (!written)
            break;
        const auto server = servers.Add(db, sample.server.toUtf8());
        const auto map = sample.answered ? maps.Add(db, sample.map.toUtf8()) : std::nullopt;
        written = server && (!sample.answered || map);
        if (!written)
            break;
        written = Run(statements.sample,
                      {*server, time, sample.answered ? QVariant(sample.pingMs) : silent,
                       sample.players, sample.maxPlayers, map ? QVariant(*map) : silent});
        const QByteArray texts = sample.name.toUtf8() + '\0' + sample.mod.toUtf8();
        if (written && sample.answered && serverTexts.value(*server) != texts) {
            written = Run(statements.named, {sample.name.toUtf8(), sample.mod.toUtf8(), *server});
            serverTexts.insert(*server, texts);
        }
        // A silent server's players are the ones of its last answer, not seen now.
        for (const QByteArray& name : sample.answered ? sample.playerNames : QList<QByteArray>{}) {
            const auto player = written ? players.Add(db, name) : std::nullopt;
            written = player && Run(statements.sighting, {*player, *server, time, time});
        }
    }
    if (written && RunSql(db, QStringLiteral("COMMIT")))
        return true;
    RunSql(db, QStringLiteral("ROLLBACK"));
    servers.Forget();
    maps.Forget();
    players.Forget();
    serverTexts.clear();
    return false;
}
