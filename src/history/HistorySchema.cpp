#include "HistorySchema.h"

#include "HistorySql.h"

#include <QStringList>
#include <array>

namespace {

// One entry a version: what brings a file of version i to version i + 1. Only ever appended to.
// Rows are kept narrow, as they are many: names live once in their own tables, times are whole
// seconds, pings are tenths of a millisecond and mean player
// counts hundredths, as integers.
const std::array<QStringList, 1> Migrations = {
    QStringList{
        "CREATE TABLE servers (id INTEGER PRIMARY KEY, key BLOB NOT NULL UNIQUE, name BLOB, "
        "mod BLOB)",
        "CREATE TABLE maps (id INTEGER PRIMARY KEY, key BLOB NOT NULL UNIQUE)",
        "CREATE TABLE players (id INTEGER PRIMARY KEY, key BLOB NOT NULL UNIQUE)",
        // A silence has no ping.
        "CREATE TABLE samples (server INTEGER NOT NULL, time INTEGER NOT NULL, ping INTEGER, "
        "players INTEGER, max INTEGER, map INTEGER, PRIMARY KEY (server, time)) WITHOUT ROWID",
        // maps: the map ids seen in the hour, comma separated.
        "CREATE TABLE hours (server INTEGER NOT NULL, hour INTEGER NOT NULL, answers INTEGER, "
        "silences INTEGER, ping INTEGER, spread INTEGER, players INTEGER, max INTEGER, maps TEXT, "
        "PRIMARY KEY (server, hour)) WITHOUT ROWID",
        "CREATE TABLE sightings (player INTEGER NOT NULL, server INTEGER NOT NULL, "
        "first INTEGER NOT NULL, last INTEGER NOT NULL, PRIMARY KEY (player, server)) "
        "WITHOUT ROWID",
        // Without last in it, a sighting seen again leaves the index as it is.
        "CREATE INDEX sightings_by_server ON sightings (server)",
    },
};

} // namespace

int SchemaVersion() {
    return int(Migrations.size());
}

int StoredVersion(const QSqlDatabase& db, QSqlError& error) {
    auto query = RunSql(db, QStringLiteral("PRAGMA user_version"), {}, &error);
    if (!query || !query->next())
        return -1;
    return query->value(0).toInt();
}

bool Migrate(const QSqlDatabase& db, QSqlError& error) {
    const int stored = StoredVersion(db, error);
    if (stored < 0)
        return false;
    for (int version = stored; version < SchemaVersion(); ++version) {
        QStringList step = Migrations[std::size_t(version)];
        step.prepend(QStringLiteral("BEGIN IMMEDIATE"));
        step.append(QStringLiteral("PRAGMA user_version = %1").arg(version + 1));
        step.append(QStringLiteral("COMMIT"));
        for (const QString& statement : step) {
            if (!RunSql(db, statement, {}, &error)) {
                RunSql(db, QStringLiteral("ROLLBACK"));
                return false;
            }
        }
    }
    return true;
}
