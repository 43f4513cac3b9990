#pragma once

#include <QByteArray>
#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <optional>

// The ids of the names kept once in a table of (id, key): servers, maps or players. Ids are never
// reused, so the ones remembered stay right while another program writes the same file.
class NameIds {
public:
    explicit NameIds(QString table) : table(std::move(table)) {}

    // The name's id, added to the table when new; nothing when the file refuses.
    std::optional<qint64> Add(const QSqlDatabase& db, const QByteArray& key);
    // The name's id when the table has it.
    std::optional<qint64> Find(const QSqlDatabase& db, const QByteArray& key);
    // After a rollback, ids handed out in it are void.
    void Forget() { ids.clear(); }

private:
    QString table;
    QHash<QByteArray, qint64> ids;
};
