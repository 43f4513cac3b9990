#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// Whether the file starts as every SQLite database does. An empty file is one SQLite fills.
bool LooksLikeSqlite(const QString& path);

// Renames a damaged file and its -wal and -shm beside it as "<name>.corrupt-YYYYMMDD-HHMMSS", so
// that nothing of it is lost; the new name, or nothing when it could not be renamed.
std::optional<QString> SetAside(const QString& path, const QDateTime& now);
