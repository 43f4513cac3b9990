#pragma once

#include <QString>
#include <QVariant>

struct ServerRow;

enum ServerColumn {
    NameColumn,
    MapColumn,
    PlayersColumn,
    PingColumn,
    AddressColumn,
    SourceColumn,
    ServerColumnCount
};

QString ColumnTitle(int column);

// What a cell shows: players as "current/max", a ping taken after a resend as "~45".
QString CellText(const ServerRow& row, int column);

// What a column sorts by: names and maps as text, players by the current count, pings as
// numbers, addresses by their numbers before host names.
QVariant CellSortKey(const ServerRow& row, int column);

// The columns whose values come from the server's answer; a row without one sorts after the rest
// there, whichever the order.
bool FromAnswer(int column);

// The address the server reports for itself, or why there is no answer.
QString RowToolTip(const ServerRow& row);
