#pragma once

#include <QString>

struct ServerRow;

// Which servers the browser shows: those whose name, map or address holds the text, whatever the
// letters' case, less the empty or the full ones when so asked.
struct ServerFilter {
    QString text;
    // Hides every server not known to have a player: the empty ones, and those without an answer.
    bool hideEmpty = false;
    // Hides the servers that answered with no place left.
    bool hideFull = false;
    // Keeps the servers with a player whose name holds this text, as NameContains matches.
    QString player = {};
    // Hides the servers that answered only the status request, which a NetQuake engine may not
    // join.
    bool netQuakeOnly = true;

    bool Accepts(const ServerRow& row) const;

    friend bool operator==(const ServerFilter&, const ServerFilter&) = default;
};
