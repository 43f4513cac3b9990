#pragma once

#include "HistoryStore.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The busy hours as a grid, a weekday a line and an hour a column, each cell a shade from the
// quietest to the busiest hour; then the hours one line each, oldest first.
QString HistoryTextReport(const QString& server, const BusyHours& busy,
                          const QList<HourRow>& hours);
// The same numbers as one JSON document on one line, ended by a line feed.
QByteArray HistoryJsonReport(const QString& server, const BusyHours& busy,
                             const QList<HourRow>& hours);
// Every server's hours as CSV (RFC 4180): a header line, then one line an hour.
QByteArray HistoryCsv(const QList<HourRow>& hours);
