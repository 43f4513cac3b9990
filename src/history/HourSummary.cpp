#include "HourSummary.h"

#include <algorithm>
#include <cmath>

namespace {

// Linear between the nearest ranks; sorted must not be empty.
double Percentile(const QList<int>& sorted, double share) {
    const double rank = share * double(sorted.size() - 1);
    const auto below = qsizetype(std::floor(rank));
    const auto above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (rank - double(below)) * (sorted[above] - sorted[below]);
}

double Weighed(double a, int aCount, double b, int bCount) {
    const int count = aCount + bCount;
    return count == 0 ? 0 : (a * aCount + b * bCount) / count;
}

} // namespace

HourRow SummarizeHour(const QList<RawSample>& samples) {
    HourRow row;
    QList<int> pings;
    long players = 0;
    for (const RawSample& sample : samples) {
        if (!sample.pingMs) {
            ++row.silences;
            continue;
        }
        pings.append(*sample.pingMs);
        players += sample.players;
        row.playersMax = std::max(row.playersMax, sample.players);
        if (!row.maps.contains(sample.map))
            row.maps.append(sample.map);
    }
    row.answers = int(pings.size());
    if (pings.isEmpty())
        return row;
    std::sort(pings.begin(), pings.end());
    row.pingMedian = Percentile(pings, 0.5);
    row.pingSpread = Percentile(pings, 0.9) - Percentile(pings, 0.1);
    row.playersMean = double(players) / double(pings.size());
    return row;
}

HourRow MergeHours(const HourRow& kept, const HourRow& more) {
    HourRow row = kept;
    row.answers = kept.answers + more.answers;
    row.silences = kept.silences + more.silences;
    row.pingMedian = Weighed(kept.pingMedian, kept.answers, more.pingMedian, more.answers);
    row.pingSpread = Weighed(kept.pingSpread, kept.answers, more.pingSpread, more.answers);
    row.playersMean = Weighed(kept.playersMean, kept.answers, more.playersMean, more.answers);
    row.playersMax = std::max(kept.playersMax, more.playersMax);
    for (const QString& map : more.maps) {
        if (!row.maps.contains(map))
            row.maps.append(map);
    }
    return row;
}
