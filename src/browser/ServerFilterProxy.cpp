#include "ServerFilterProxy.h"

#include "ServerTableModel.h"

ServerFilterProxy::ServerFilterProxy(ServerTableModel& servers, QObject* parent)
    : QSortFilterProxyModel(parent), servers(servers) {
    setSourceModel(&servers);
    setSortRole(ServerTableModel::SortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
}

void ServerFilterProxy::SetFilter(const ServerFilter& wanted) {
    if (wanted == filter)
        return;
    filter = wanted;
    invalidateRowsFilter();
}

bool ServerFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    return filter.Accepts(servers.Row(sourceRow));
}

bool ServerFilterProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const bool leftAnswered = left.data(ServerTableModel::AnsweredRole).toBool();
    const bool rightAnswered = right.data(ServerTableModel::AnsweredRole).toBool();
    // The view shows a descending order by asking which is greater, so the rows without an
    // answer must then be the lesser to stay last.
    if (leftAnswered != rightAnswered)
        return sortOrder() == Qt::AscendingOrder ? leftAnswered : rightAnswered;
    return QSortFilterProxyModel::lessThan(left, right);
}
