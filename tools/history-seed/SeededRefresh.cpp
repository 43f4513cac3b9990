#include "SeededRefresh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

const std::array<const char*, 8> Maps = {"e1m1", "e1m2", "e1m3", "e2m1",
                                         "dm2",  "dm3",  "dm4",  "dm6"};
// The demo's buddy is one of them.
const std::array<const char*, 16> Crowd = {
    "Wanderer", "grunt", "Ranger",   "Fiend", "Shambler", "Vore",   "Scrag", "Ogre",
    "Knight",   "Zomb",  "Enforcer", "Spawn", "Rotfish",  "Chthon", "Shub",  "Quaddie"};

// A share in [0, 1) of each server's own, the same on every run.
double ServerShare(qsizetype index) {
    return std::fmod(double(index) * std::numbers::phi, 1.0);
}

} // namespace

QList<HistorySample> SeededRefresh(const QStringList& servers, const QDateTime& when,
                                   QRandomGenerator& random) {
    const QTime time = when.time();
    const double hour = time.hour() + time.minute() / 60.0;
    // Quietest at eight in the morning, busiest at eight in the evening.
    const double evening = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * (hour - 8) / 24);
    const double weekend = when.date().dayOfWeek() >= 6 ? 1.3 : 1.0;
    const qint64 minutes = when.toSecsSinceEpoch() / 60;
    QList<HistorySample> samples;
    for (qsizetype i = 0; i < servers.size(); ++i) {
        HistorySample sample;
        sample.server = servers[i];
        sample.answered = random.bounded(100) >= 3;
        if (sample.answered) {
            const double share = ServerShare(i);
            sample.maxPlayers = i % 3 == 0 ? 16 : 8;
            const double mean = sample.maxPlayers * (0.1 + 0.8 * share) * evening * weekend;
            sample.players =
                std::clamp(int(std::lround(mean + random.bounded(3) - 1)), 0, sample.maxPlayers);
            sample.pingMs = 20 + int(share * 120) + int(random.bounded(10));
            sample.name = QStringLiteral("Seeded server %1").arg(i + 1);
            sample.map = Maps[std::size_t((minutes / 20 + i) % qint64(Maps.size()))];
            sample.mod = QStringLiteral("id1");
            // The crowd moves on every few hours.
            const qint64 shift = minutes / 180 + i * 3;
            for (int p = 0; p < sample.players; ++p)
                sample.playerNames.append(Crowd[std::size_t((shift + p) % qint64(Crowd.size()))]);
        }
        samples.append(sample);
    }
    return samples;
}
