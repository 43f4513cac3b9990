#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>
#include <optional>

// Runs one statement with its values bound in order; nothing when it fails, the reason in error.
std::optional<QSqlQuery> RunSql(const QSqlDatabase& db, const QString& sql,
                                const QVariantList& values = {}, QSqlError* error = nullptr);

// Seconds since the epoch, as the file keeps times.
qint64 StoredTime(const QDateTime& when);
QDateTime TimeFromStored(qint64 seconds);
