#pragma once

#include <QSqlDatabase>
#include <QSqlError>

// The version of the file's layout this program writes.
int SchemaVersion();

// The file's own version (PRAGMA user_version); -1 when it cannot be read.
int StoredVersion(const QSqlDatabase& db, QSqlError& error);

// Brings a file of an older version up to SchemaVersion, each step in its own transaction.
bool Migrate(const QSqlDatabase& db, QSqlError& error);
