#include "ServerWatch.h"

#include <algorithm>

ServerWatch::ServerWatch(const Clock& clock, QObject* parent)
    : QObject(parent), clock(clock), refresh(model, clock) {
    timer.setInterval(1000);
    connect(&timer, &QTimer::timeout, this, &ServerWatch::OnTick);
    connect(&refresh, &TableRefresh::Finished, this, &ServerWatch::End);
}

void ServerWatch::SetLists(const ServerLists& l) {
    lists = l;
    rules.buddies = lists.buddies;
}

bool ServerWatch::Watching() const {
    return !rules.buddies.isEmpty() || rules.minPlayers > 0 ||
           std::any_of(lists.alerts.begin(), lists.alerts.end(), AlertsAnything);
}

void ServerWatch::Start() {
    running = true;
    // The masters keep their own pace over a pause: they are due at the start only the first time.
    nextRefreshMs = Now();
    timer.start();
    OnTick();
}

void ServerWatch::Stop() {
    running = false;
    timer.stop();
    refresh.Stop();
}

void ServerWatch::OnTick() {
    const std::int64_t now = Now();
    if (!running || now < nextRefreshMs)
        return;
    if (refresh.Running()) {
        refresh.Stop();
        End();
        // A receiver of the refresh's end may have stopped the watch.
        if (!running)
            return;
    }
    nextRefreshMs = now + std::int64_t{everySeconds} * 1000;
    if (Watching())
        Begin(now);
}

void ServerWatch::Begin(std::int64_t now) {
    ServerLists asked = lists;
    askingMasters = now >= nextMastersMs && !lists.masters.isEmpty();
    if (askingMasters)
        nextMastersMs = now + std::int64_t{MastersEverySeconds} * 1000;
    else
        asked.masters.clear();
    // Between the masters' refreshes their servers are asked as if named.
    asked.recent += listed;
    refresh.Start(asked, convertTexts);
}

void ServerWatch::End() {
    // A refresh cut short leaves the rows it did not list again; they go, as at a whole one's end.
    model.EndRefresh();
    if (askingMasters) {
        QList<HostPort> fresh;
        for (int i = 0; i < model.rowCount(); ++i) {
            if (model.Row(i).sources.testFlag(ServerSource::Master))
                fresh.append(model.Row(i).target);
        }
        // A master that gave no list this time must not end the watch of its servers.
        if (!fresh.isEmpty())
            listed = fresh;
        askingMasters = false;
    }
    const QList<WatchEvent> events = NoteRefresh(snapshot, Answered(), rules);
    ++refreshes;
    if (refreshes > 1) {
        for (const WatchEvent& event : events)
            emit Event(event);
    }
    emit RefreshEnded(refreshes);
}

WatchSnapshot ServerWatch::Answered() const {
    WatchSnapshot answered;
    for (int i = 0; i < model.rowCount(); ++i) {
        const ServerRow& row = model.Row(i);
        if (!row.current || row.state != RowState::Answered || !row.answer)
            continue;
        WatchedServer server;
        server.server = HostPortText(row.target);
        server.name = row.answer->name;
        if (row.status) {
            for (const ServerPlayer& player : row.status->players)
                server.players.append(player.name);
        }
        server.currentPlayers = row.answer->currentPlayers;
        server.maxPlayers = row.answer->maxPlayers;
        server.playersComplete = server.players.size() >= server.currentPlayers;
        if (row.sources.testFlag(ServerSource::Favourite))
            server.alert = AlertFor(lists.alerts, row.names);
        answered.insert(row.endpoint.ToString(), server);
    }
    return answered;
}
