#pragma once

#include "ServerFilter.h"

#include <QSortFilterProxyModel>

class ServerTableModel;

// The browser's table as the window shows it: filtered, and sorted by each column's sort key,
// with the servers that have not answered after the rest in every column and either order.
class ServerFilterProxy final : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit ServerFilterProxy(ServerTableModel& servers, QObject* parent = nullptr);

    const ServerFilter& Filter() const { return filter; }
    void SetFilter(const ServerFilter& filter);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    const ServerTableModel& servers;
    ServerFilter filter;
};
