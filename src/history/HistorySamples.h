#pragma once

#include "HistoryStore.h"
#include "ServerRow.h"

// What a finished refresh saw of each server it asked, as the history keeps it: an answer for a
// server that answered, a silence for one that did not. A server not asked (its host could not
// be looked up) or still asked has nothing to tell and is left out.
QList<HistorySample> SamplesFromRows(const QList<ServerRow>& rows);
