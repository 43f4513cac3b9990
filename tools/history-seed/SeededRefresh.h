#pragma once

#include "HistoryStore.h"

#include <QRandomGenerator>

// One made-up refresh of the servers at a time: busy evenings and weekends, a ping of each
// server's own with some jitter, a few silences, maps turning over every twenty minutes and the
// players drawn from one small crowd, so that the same names turn up on several servers.
QList<HistorySample> SeededRefresh(const QStringList& servers, const QDateTime& when,
                                   QRandomGenerator& random);
