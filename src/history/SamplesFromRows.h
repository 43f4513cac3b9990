#pragma once

#include "HistoryStore.h"

class ServerTableModel;

// What the last refresh saw of the table's servers, as the history keeps them: each server that
// answered or stayed silent in it. A host not found, or a server a refresh cut short was still
// asking, was seen neither way and is left out.
QList<HistorySample> SamplesFromRows(const ServerTableModel& model);
