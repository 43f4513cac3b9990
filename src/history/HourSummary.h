#pragma once

#include "HistoryStore.h"

#include <optional>

// One sample as an hour's summary needs it.
struct RawSample {
    // Nothing for a silence.
    std::optional<int> pingMs;
    int players = 0;
    QString map;
};

// The hour's answers and silences, ping median and spread, players mean and maximum and maps,
// over the hour's samples; the row's server and hour are left to the caller.
HourRow SummarizeHour(const QList<RawSample>& samples);

// Two summaries of the same hour as one: a clock set back can bring samples into an hour that
// was rolled up already. Medians and spreads are weighed by answers, which is near enough.
HourRow MergeHours(const HourRow& kept, const HourRow& more);
