#pragma once

#include "ServerLists.h"
#include "ServerTableModel.h"
#include "TableRefresh.h"
#include "WatchEvents.h"

#include <QObject>
#include <QTimer>
#include <cstdint>

// Watches servers for buddies, player counts and free slots: the favourites and recent servers
// every few seconds (60 by default), the masters at most every five minutes, and between those
// the servers the masters listed last. The first refresh only notes who is where; each later one
// signals what changed since. A refresh still running when the next is due ends with what it has.
//
// All timing reads the injected clock; a timer calls OnTick every second, and tests may call it.
class ServerWatch final : public QObject {
    Q_OBJECT

public:
    static constexpr int MastersEverySeconds = 300;

    explicit ServerWatch(const Clock& clock = SteadyClock::Instance(), QObject* parent = nullptr);

    // The servers, masters, buddies and alerts to watch; they count from the next refresh.
    void SetLists(const ServerLists& lists);
    // A player count every server is watched for; 0 for none.
    void SetMinPlayers(int players) { rules.minPlayers = players; }
    void SetSeconds(int seconds) { everySeconds = seconds; }
    // Texts converted to ASCII, as the asciiserver option says.
    void SetConvertTexts(bool convert) { convertTexts = convert; }
    // Something to look out for: a buddy, a favourite's alert or a player count. Without it no
    // server is asked.
    bool Watching() const;

    // The first refresh starts at once.
    void Start();
    void Stop();
    // Starts a refresh when one is due.
    void OnTick();

    int Refreshes() const { return refreshes; }
    TableRefresh& Refresher() { return refresh; }
    // The servers of the last refresh, once it has ended.
    const ServerTableModel& Servers() const { return model; }

signals:
    void Event(const WatchEvent& event);
    void RefreshEnded(int refreshes);

private:
    void Begin(std::int64_t now);
    void End();
    WatchSnapshot Answered() const;
    std::int64_t Now() const { return clock.Reading().Milliseconds(); }

    const Clock& clock;
    ServerTableModel model;
    TableRefresh refresh;
    QTimer timer;
    ServerLists lists;
    WatchRules rules;
    // The servers the masters listed at their last refresh.
    QList<HostPort> listed;
    bool askingMasters = false;
    WatchSnapshot snapshot;
    std::int64_t nextRefreshMs = 0;
    std::int64_t nextMastersMs = 0;
    int everySeconds = 60;
    int refreshes = 0;
    bool convertTexts = true;
    bool running = false;
};
