#pragma once

#include "HistoryStore.h"

struct QueryEngine;

// The main window's query as the history keeps it: the server as asked and, when it answered,
// its fields and the players whose replies are in.
HistorySample QuerySample(const QueryEngine& engine, bool answered);
