#include "HistorySql.h"

#include <QDateTime>

std::optional<QSqlQuery> RunSql(const QSqlDatabase& db, const QString& sql,
                                const QVariantList& values, QSqlError* error) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    bool ran = query.prepare(sql);
    if (ran) {
        for (const QVariant& value : values)
            query.addBindValue(value);
        ran = query.exec();
    }
    if (!ran) {
        if (error)
            *error = query.lastError();
        return std::nullopt;
    }
    return query;
}

qint64 StoredTime(const QDateTime& when) {
    return when.toSecsSinceEpoch();
}

QDateTime TimeFromStored(qint64 seconds) {
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}
