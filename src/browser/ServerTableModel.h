#pragma once

#include "RefreshBatch.h"
#include "ServerRow.h"

#include <QAbstractTableModel>
#include <QHash>
#include <vector>

// The browser's servers, one row each, as a refresh learns of them. A refresh does not empty the
// table: it marks every row as asked again, updates the rows it lists and answers, adds the new
// ones, and at its end removes the rows it no longer lists, so a selection survives it.
class ServerTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    // What a column sorts by, beside what it shows.
    static constexpr int SortRole = Qt::UserRole;
    // True while a row holds an answer.
    static constexpr int AnsweredRole = Qt::UserRole + 1;

    explicit ServerTableModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const ServerRow& Row(int row) const { return rows[size_t(row)]; }
    QList<ServerRow> Rows() const { return {rows.begin(), rows.end()}; }

    void BeginRefresh();
    // Takes in a batch with one insertion and one change of the model at the most.
    void Apply(const RefreshBatch& batch);
    void EndRefresh();

    // Adds or takes away the favourite mark of the rows reached by any of these names. A row then
    // known in no way at all goes.
    void SetFavourite(const QList<HostPort>& names, bool favourite);

    // The names to look out for; each row's Buddies column names its players that match one.
    void SetBuddies(const QStringList& names);

    // When the history last saw each server answer, by its "host:port": the Last seen column.
    void SetLastSeen(const QHash<QString, QDateTime>& seen);
    // Where and when the buddies were seen last: the tool tip of the Buddies column.
    void SetBuddiesSeen(const QString& text);

    // The colour of the values a row keeps from the last refresh while it is asked again; the
    // window gives its palette's, which this layer does not know.
    void SetOldForeground(const QVariant& colour) { oldForeground = colour; }

    // The servers of the refresh under way (or the last one), and how many of them answered.
    struct Tally {
        int servers = 0;
        int answered = 0;
        // Players that match a buddy's name, on those servers.
        int buddies = 0;
    };
    Tally CurrentTally() const;

private:
    // The row's index, in the table or just past it among the rows a batch adds; -1 when none.
    int Find(const RefreshBatch::Listed& listed) const;
    void Index(const ServerRow& row, int index);
    void Reindex();
    void RemoveRowsWhere(bool (*gone)(const ServerRow&));
    void FindBuddies(ServerRow& row) const;
    void FindLastSeen(ServerRow& row) const;

    std::vector<ServerRow> rows;
    QVariant oldForeground;
    QStringList buddies;
    QHash<QString, QDateTime> lastSeen;
    QString buddiesSeen;
    QHash<Endpoint, int> byEndpoint;
    // Named servers whose host was not found, by their host and port in lower case.
    QHash<QString, int> byName;
};
