#pragma once

#include "NameIds.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// One server as one refresh, watch round or query saw it.
struct HistorySample {
    // The host and port as asked: "host:port".
    QString server;
    bool answered = false;
    int pingMs = 0;
    int players = 0;
    int maxPlayers = 0;
    QString name;
    QString map;
    QString mod;
    // Raw bytes in the game's character set.
    QList<QByteArray> playerNames;
};

// One server's hour: rolled up from the samples, or summed from the samples not yet rolled up.
struct HourRow {
    QString server;
    // The hour's start, UTC.
    QDateTime hour;
    int answers = 0;
    int silences = 0;
    // Over the hour's answers; 0 when there were none.
    double pingMedian = 0;
    // The spread of the pings: the difference between the 90th and the 10th percentile.
    double pingSpread = 0;
    double playersMean = 0;
    int playersMax = 0;
    QStringList maps;
};

// When a player was seen on a server.
struct PlayerSeen {
    QByteArray name;
    QString server;
    QDateTime first;
    QDateTime last;
};

// Mean players by weekday (0 = Monday) and hour of the day (UTC), over the weeks kept.
using BusyHours = std::array<std::array<double, 24>, 7>;

// The history kept in one SQLite file: samples of every refresh, kept 48 hours, rolled up into
// one row a server and hour, kept 90 days. A file that cannot be used (corrupt, locked,
// read-only, of a newer version) turns history off with one message; a corrupt one is renamed
// aside with the date, never deleted.
class HistoryStore {
public:
    static constexpr int RawHours = 48;
    static constexpr int HourlyDays = 90;

    HistoryStore();
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // The file in the user's data folder.
    static QString DefaultPath();

    // False when history is off; Problem() then says why, in one line.
    bool Open(const QString& path);
    bool Enabled() const;
    QString Problem() const;

    // One transaction for the whole refresh.
    bool Record(const QList<HistorySample>& samples, const QDateTime& when);
    // Rolls the samples older than RawHours up into hours and drops hours older than HourlyDays.
    bool RollUp(const QDateTime& now);

    // The server's hours in [from, to), oldest first.
    QList<HourRow> Hours(const QString& server, const QDateTime& from, const QDateTime& to) const;
    // Every server's hours, for the export.
    QList<HourRow> AllHours() const;
    BusyHours Busy(const QString& server) const;
    // The players seen on the server, the latest first.
    QList<PlayerSeen> PlayersSeenOn(const QString& server, int most) const;
    // For each text, where and when a player whose name holds it (as NameContains matches) was
    // seen last; in the texts' order.
    QList<std::optional<PlayerSeen>> LastSeen(const QStringList& texts) const;
    // When each server last answered, by its "host:port"; a server that never answered is not in
    // it.
    QHash<QString, QDateTime> LastAnswered() const;

private:
    QSqlDatabase Db() const;
    bool TurnOff(const QString& why);
    enum class OpenOutcome { Opened, Damaged, Newer, Failed };
    // Failed leaves the reason in error.
    OpenOutcome OpenFile(const QString& path, QSqlError& error);
    // Every hour of the server (or of all servers, when nothing) in [from, to): the rolled-up
    // ones and those summed from the samples.
    QList<HourRow> HourRows(std::optional<qint64> server, qint64 from, qint64 to) const;

    // Each store its own connection, so that several may be open in one process.
    QString connection;
    QString problem;
    bool enabled = false;
    mutable NameIds servers{QStringLiteral("servers")};
    mutable NameIds maps{QStringLiteral("maps")};
    mutable NameIds players{QStringLiteral("players")};
    // The name and mod last written for each server, so that only a change is written.
    QHash<qint64, QByteArray> serverTexts;
};
