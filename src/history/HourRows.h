#pragma once

#include "HistoryStore.h"

#include <QMap>
#include <QSqlDatabase>
#include <optional>

inline constexpr qint64 HourSeconds = 3600;

// A server's key and an hour's start, in seconds.
using HourKey = std::pair<QString, qint64>;

// The hours of the server (or of every server, when nothing) that start in [from, to): the
// rolled-up rows, with the samples not yet rolled up summed into them.
QMap<HourKey, HourRow> ReadHours(const QSqlDatabase& db, std::optional<qint64> server, qint64 from,
                                 qint64 to);
