#pragma once

class QAbstractItemModel;
class QTableView;
class QWidget;

// The Servers window's table of servers: whole rows selected one at a time, read-only, sortable
// by a click on a column's title, and with the header's menu to show and hide columns.
QTableView* NewServerTable(QAbstractItemModel& servers, QWidget* parent);
