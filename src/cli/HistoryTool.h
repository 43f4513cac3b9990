#pragma once

#include "CommandLine.h"

class HistoryStore;
class QIODevice;

// vantrel-query --history: what the history kept of one server, asking nothing.
int ShowHistory(const HistoryOptions& options, const HistoryStore& store, QIODevice& out);
// vantrel-query --history-export: every server's hours into the file; a file that cannot be
// written is told on the error output.
int ExportHistory(const HistoryOptions& options, const HistoryStore& store, QIODevice& errors);
