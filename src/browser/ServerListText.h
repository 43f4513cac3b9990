#pragma once

#include "HostPort.h"

#include <QList>
#include <QStringList>
#include <optional>

// The masters and game names as the user edits them: one a line, blank lines skipped, each kept
// once. On a line that is refused, error names the line and says why. A master is never a bare
// IPv6 address, whose last group could be taken for a port.
std::optional<QList<HostPort>> ParseServerLines(const QString& text, int defaultPort,
                                                QString& error);
std::optional<QStringList> ParseGameLines(const QString& text, QString& error);

QString ServerLinesText(const QList<HostPort>& servers);

// A game name goes into the masters' request as one word: printable ASCII without blanks, and
// no longer than a master keeps.
inline constexpr int LongestGameName = 63;
// False, with the reason in error, for a name that is no game name.
bool CheckGameName(const QString& name, QString& error);
