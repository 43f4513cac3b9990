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
    ModColumn,
    EngineColumn,
    BuddiesColumn,
    LastSeenColumn,
    ServerColumnCount
};

// Everything the Servers window knows of one column, in one place.
struct ServerColumnInfo {
    ServerColumn column;
    const char* title;
    // The width, in average characters, of a window that has none stored yet.
    int widthChars;
    Qt::Alignment alignment;
    // What a cell shows: players as "current/max", a ping taken after a resend as "~45".
    QString (*text)(const ServerRow& row);
    // What the column sorts by: names and maps as text, players by the current count, pings as
    // numbers, addresses by their numbers before host names.
    QVariant (*sortKey)(const ServerRow& row);
    // Its values come from the server's answer, and a row without one has none to show.
    bool fromAnswer;
    // Shown only once the user asks for it, from the header's context menu.
    bool hiddenByDefault;
};

// The column's entry; a column out of range has none to give, so it must be checked first.
const ServerColumnInfo& ColumnInfo(int column);

// The address the server reports for itself, or why there is no answer.
QString RowToolTip(const ServerRow& row);
