#pragma once

#include "ServerTableModel.h"

#include <QElapsedTimer>
#include <vector>

// Counts the players the table lists, from the rows each change of the model touched, and notes
// when the count first reached the players the stand-ins serve.
class ListedPlayers {
public:
    ListedPlayers(const ServerTableModel& model, qint64 expected, const QElapsedTimer& clock,
                  QObject* context)
        : model(model), expected(expected), clock(clock), counts(size_t(model.rowCount())) {
        Recount(0, model.rowCount() - 1);
        QObject::connect(&model, &QAbstractItemModel::rowsInserted, context,
                         [this](const QModelIndex&, int first, int last) {
                             counts.insert(counts.begin() + first, size_t(last - first + 1), 0);
                             Recount(first, last);
                         });
        QObject::connect(&model, &QAbstractItemModel::rowsAboutToBeRemoved, context,
                         [this](const QModelIndex&, int first, int last) {
                             for (int row = first; row <= last; ++row)
                                 listed -= counts[size_t(row)];
                             counts.erase(counts.begin() + first, counts.begin() + last + 1);
                         });
        QObject::connect(&model, &QAbstractItemModel::dataChanged, context,
                         [this](const QModelIndex& from, const QModelIndex& to) {
                             Recount(from.row(), to.row());
                         });
    }

    qint64 Listed() const { return listed; }
    // From the press of Refresh until every player was listed; -1 when they never were.
    double ReachedMs() const { return reachedNs < 0 ? -1 : reachedNs / 1e6; }

private:
    void Recount(int first, int last) {
        for (int row = first; row <= last; ++row) {
            const std::optional<ServerStatus>& status = model.Row(row).status;
            const int count = status ? int(status->players.size()) : 0;
            listed += count - counts[size_t(row)];
            counts[size_t(row)] = count;
        }
        if (reachedNs < 0 && expected > 0 && listed >= expected)
            reachedNs = clock.nsecsElapsed();
    }

    const ServerTableModel& model;
    const qint64 expected;
    const QElapsedTimer& clock;
    std::vector<int> counts;
    qint64 listed = 0;
    qint64 reachedNs = -1;
};
