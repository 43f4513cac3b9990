#pragma once

#include "HistoryStore.h"
#include "QueryResult.h"

// What one query saw of its server, as the history keeps it: its texts converted as the window
// converts them by default.
HistorySample ResultSample(const QString& server, const QueryResult& result);
// Every server a refresh asked; a host not found was asked nothing and is left out.
QList<HistorySample> RefreshSamples(const QList<RefreshEntry>& entries);
