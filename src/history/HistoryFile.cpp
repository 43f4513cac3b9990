#include "HistoryFile.h"

#include <QFile>

bool LooksLikeSqlite(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true; // Not ours to judge: SQLite tells why it cannot open it.
    const QByteArray start = file.read(16);
    return start.isEmpty() || start == QByteArrayLiteral("SQLite format 3\0");
}

std::optional<QString> SetAside(const QString& path, const QDateTime& now) {
    const QString aside = path + now.toString(QStringLiteral("'.corrupt-'yyyyMMdd-HHmmss"));
    if (!QFile::rename(path, aside))
        return std::nullopt;
    for (const char* part : {"-wal", "-shm"}) {
        if (QFile::exists(path + part))
            QFile::rename(path + part, aside + part);
    }
    return aside;
}
