#include "NameIds.h"

#include "HistorySql.h"

std::optional<qint64> NameIds::Add(const QSqlDatabase& db, const QByteArray& key) {
    if (const auto known = Find(db, key))
        return known;
    auto insert = RunSql(db, QStringLiteral("INSERT INTO %1 (key) VALUES (?)").arg(table), {key});
    if (!insert)
        return std::nullopt;
    const qint64 id = insert->lastInsertId().toLongLong();
    ids.insert(key, id);
    return id;
}

std::optional<qint64> NameIds::Find(const QSqlDatabase& db, const QByteArray& key) {
    if (const auto known = ids.constFind(key); known != ids.constEnd())
        return *known;
    auto query = RunSql(db, QStringLiteral("SELECT id FROM %1 WHERE key = ?").arg(table), {key});
    if (!query || !query->next())
        return std::nullopt;
    const qint64 id = query->value(0).toLongLong();
    ids.insert(key, id);
    return id;
}
