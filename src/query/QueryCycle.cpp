#include "QueryCycle.h"

#include "MainFields.h"
#include "MainView.h"
#include "Paths.h"
#include "Progress.h"
#include "QueryState.h"
#include "ScriptWriter.h"
#include "Settings.h"
#include "TimerIds.h"

#include <algorithm>

namespace {
const QString QueryCaption = QStringLiteral("Query");

QString StopCaption(int seconds) {
    return QStringLiteral("Stop[%1]").arg(seconds);
}
} // namespace

QueryCycle::QueryCycle(const Parts& parts) : p(parts) {
    ReplaceSocket(false);
}

QueryCycle::~QueryCycle() = default;

bool QueryCycle::ReplaceSocket(bool open) {
    querySocket.reset();
    querySocket = std::make_unique<QuerySocket>(p.buffer, p.clock);
    querySocket->SetOwner(&p.replies);
    return !open || querySocket->Create();
}

bool QueryCycle::OpenFirstSocket() {
    const bool opened = ReplaceSocket(true);
    if (!opened)
        p.view.ShowMessage(QStringLiteral("Socket Error"));
    return opened;
}

void QueryCycle::OnQueryButton() {
    if (!FolderExists(p.settings.quakepath)) {
        Tell(QStringLiteral("Quake Directory Doesn't Exist"));
        return;
    }
    if (!FolderExists(DataFolder(p.settings.quakepath))) {
        Tell(QStringLiteral("Quake\\ID1 Directory Doesn't Exist"));
        return;
    }
    if (p.state.querying == 1)
        StopQuery();
    else
        StartQuery();
}

// A message box runs an event loop in which the timers keep ticking: the update cycle re-queries
// every interval and a timed-out query retries. Neither may open the same message again on top of
// one that is still on screen, or the boxes would pile up for as long as nobody answers.
void QueryCycle::Tell(const QString& text) {
    if (openMessages.contains(text))
        return;
    openMessages.append(text);
    p.view.ShowMessage(text);
    openMessages.removeOne(text);
}

void QueryCycle::StartQuery() {
    QueryState& s = p.state;
    MainFields& f = p.fields;
    p.view.SetQueryButtonCaption(StopCaption(p.settings.timeout));
    p.view.SetTimer(QueryTimer);
    p.view.ClearDetails();
    s.serverInfoReceived = 0;
    s.querying = 1;
    p.view.ReadFields();
    if (!ReplaceSocket(true))
        Tell(QStringLiteral("Socket Creation Error"));
    p.scripts.RestartScripts();
    p.view.ClearLists();
    s.ruleCount = 0;
    s.playerReplies = 0;
    s.countedPlayers.reset();
    // A query stopped inside the rule chain must not leave its last rule behind: a later query
    // that asks for no rules would otherwise never count as complete.
    s.lastRuleName.Clear();
    f.currentPlayers = 0;
    f.maxPlayers = 0;
    f.serverAddress.clear();
    f.serverName.clear();
    f.mapName.clear();
    f.ping = {};
    querySocket->RearmPing();
    p.view.ShowFields();
    querySocket->SetTarget(f.serverHost, static_cast<quint16>(f.port));
    p.view.ReadFields();
    p.view.SetProgress(ProgressStart);
    querySocket->SendServerInfoRequest();
}

void QueryCycle::StopQuery() {
    p.view.KillTimer(QueryTimer);
    ResetQueryTicks();
    ReplaceSocket(false);
    ResetProgress();
    p.view.SetQueryButtonCaption(QueryCaption);
    p.state.querying = 0;
}

void QueryCycle::ResetQueryTicks() {
    p.state.queryTicks = 0;
}

void QueryCycle::ResetProgress() {
    p.view.SetProgress(0);
    p.view.ClearDetails();
}

bool QueryCycle::Complete(bool relaxed) const {
    const QueryState& s = p.state;
    const bool players = relaxed ? s.playerReplies >= p.fields.currentPlayers
                                 : s.playerReplies == p.fields.currentPlayers;
    const bool serverInfo = relaxed ? s.serverInfoReceived != 0 : s.serverInfoReceived == 1;
    return players && s.lastRuleName.Empty() && serverInfo;
}

void QueryCycle::EndWithSuccess() {
    p.view.KillTimer(QueryTimer);
    p.view.SetWindowCaption(QStringLiteral("Vantrel - Query Sucsess"));
    p.state.queryTicks = 0;
    p.view.SetQueryButtonCaption(QueryCaption);
    p.state.querying = 0;
    p.view.QueryEnded(true);
}

void QueryCycle::Retry() {
    p.state.querying = 0;
    p.state.queryTicks = 0;
    ResetProgress();
    OnQueryButton();
}

void QueryCycle::QueryTick() {
    QueryState& s = p.state;
    ++s.queryTicks;
    if (s.queryTicks < p.settings.timeout) {
        if (Complete(false))
            EndWithSuccess();
        else
            p.view.SetQueryButtonCaption(
                StopCaption(std::max(p.settings.timeout - s.queryTicks, 0)));
        return;
    }
    p.view.KillTimer(QueryTimer);
    if (Complete(true)) {
        EndWithSuccess();
        return;
    }
    p.view.SetQueryButtonCaption(QueryCaption);
    p.view.SetWindowCaption(QStringLiteral("Vantrel - Query Timed Out"));
    p.view.QueryEnded(s.serverInfoReceived != 0);
    if (s.autoUpdating == 1 ||
        p.view.AskRetry(QStringLiteral("Error"), QStringLiteral("Server Query Timed out"))) {
        Retry();
        return;
    }
    ResetProgress();
    s.queryTicks = 0;
    s.querying = 0;
}
