#include "HistoryStore.h"

#include "HistoryFile.h"
#include "HistorySchema.h"
#include "HistorySql.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// SQLite's result codes, as the driver gives them.
bool IsLock(const QSqlError& error) {
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("5") || code == QLatin1String("6");
}

bool IsDamage(const QSqlError& error) {
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("11") || code == QLatin1String("26");
}

bool IsReadOnly(const QSqlError& error) {
    return error.nativeErrorCode() == QLatin1String("8");
}

QString NewConnectionName() {
    static QAtomicInteger<int> count;
    return QStringLiteral("vantrel-history-%1").arg(count.fetchAndAddRelaxed(1));
}

} // namespace

HistoryStore::HistoryStore() : connection(NewConnectionName()) {}

HistoryStore::~HistoryStore() {
    if (QSqlDatabase::contains(connection)) {
        QSqlDatabase::database(connection, false).close();
        QSqlDatabase::removeDatabase(connection);
    }
}

QString HistoryStore::DefaultPath() {
    // The window and vantrel-query share one file, so it is not kept under either's own name.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(data).filePath(QStringLiteral("Vantrel/history.sqlite"));
}

bool HistoryStore::Enabled() const {
    return enabled;
}

QString HistoryStore::Problem() const {
    return problem;
}

QSqlDatabase HistoryStore::Db() const {
    return QSqlDatabase::database(connection, false);
}

bool HistoryStore::TurnOff(const QString& why) {
    enabled = false;
    problem = QStringLiteral("History is off: %1").arg(why);
    Db().close();
    return false;
}

bool HistoryStore::Open(const QString& path) {
    enabled = false;
    problem.clear();
    servers.Forget();
    maps.Forget();
    players.Forget();
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo file(path);
    if (!QDir().mkpath(file.absolutePath()) || (file.exists() && !file.isWritable()))
        return TurnOff(QStringLiteral("%1 cannot be written.").arg(shown));
    QSqlError error;
    const OpenOutcome outcome =
        LooksLikeSqlite(path) ? OpenFile(path, error) : OpenOutcome::Damaged;
    switch (outcome) {
    case OpenOutcome::Opened:
        enabled = true;
        return true;
    case OpenOutcome::Damaged:
        break;
    case OpenOutcome::Newer:
        return TurnOff(QStringLiteral("%1 is of a newer Vantrel.").arg(shown));
    case OpenOutcome::Failed:
        if (IsLock(error))
            return TurnOff(QStringLiteral("%1 is locked by another program.").arg(shown));
        if (IsReadOnly(error))
            return TurnOff(QStringLiteral("%1 cannot be written.").arg(shown));
        return TurnOff(QStringLiteral("%1 cannot be used: %2").arg(shown, error.text()));
    }
    Db().close();
    const auto aside = SetAside(path, QDateTime::currentDateTime());
    if (!aside)
        return TurnOff(QStringLiteral("%1 is damaged and could not be set aside.").arg(shown));
    return TurnOff(QStringLiteral("%1 was damaged; it is kept as %2.")
                       .arg(shown, QDir::toNativeSeparators(*aside)));
}

HistoryStore::OpenOutcome HistoryStore::OpenFile(const QString& path, QSqlError& error) {
    QSqlDatabase db = QSqlDatabase::contains(connection)
                          ? Db()
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.close();
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=250"));
    if (!db.open()) {
        error = db.lastError();
        return OpenOutcome::Failed;
    }
    const auto failed = [&] {
        return IsDamage(error) ? OpenOutcome::Damaged : OpenOutcome::Failed;
    };
    auto check = RunSql(db, QStringLiteral("PRAGMA quick_check"), {}, &error);
    if (!check)
        return failed();
    const bool sound = check->next() && check->value(0).toString() == QLatin1String("ok");
    check.reset(); // its read would keep the journal mode from changing
    if (!sound)
        return OpenOutcome::Damaged;
    // Read before anything writes: a newer file is left exactly as it is.
    const int version = StoredVersion(db, error);
    if (version < 0)
        return failed();
    if (version > SchemaVersion())
        return OpenOutcome::Newer;
    // WAL lets the window and vantrel-query write the same file at once.
    for (const char* pragma : {"PRAGMA journal_mode = WAL", "PRAGMA synchronous = NORMAL",
                               "PRAGMA cache_size = -32768"}) {
        if (!RunSql(db, QLatin1String(pragma), {}, &error))
            return failed();
    }
    if (!Migrate(db, error))
        return failed();
    return OpenOutcome::Opened;
}
