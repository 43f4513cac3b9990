#include "TableRefresh.h"

#include "ServerLists.h"
#include "ServerTableModel.h"

namespace {

// The user's servers, each once however many ways he named it.
void Merge(QList<HostPort>& into, QList<ServerSources>& sources, const QList<HostPort>& servers,
           ServerSource source) {
    for (const HostPort& server : servers) {
        const auto same = [&](const HostPort& s) {
            return SameServer(s, server);
        };
        const qsizetype at = std::find_if(into.begin(), into.end(), same) - into.begin();
        if (at == into.size()) {
            into.append(server);
            sources.append(source);
        } else {
            sources[at] |= source;
        }
    }
}

} // namespace

TableRefresh::TableRefresh(ServerTableModel& model, const Clock& clock, QObject* parent)
    : QObject(parent), model(model), refresh(clock) {
    batchTimer.setSingleShot(true);
    batchTimer.setInterval(BatchMilliseconds);
    connect(&batchTimer, &QTimer::timeout, this, &TableRefresh::ApplyPending);
    connect(&refresh, &ServerRefresh::Listed, this, &TableRefresh::OnListed);
    connect(&refresh, &ServerRefresh::Answered, this,
            [this](const Endpoint& server, const ServerInfo& info, Ping ping) {
                pending.outcomes.append({server, ShownAnswer(info, ping, convertTexts), {}});
                Queue();
            });
    connect(&refresh, &ServerRefresh::StatusAnswered, this,
            [this](const Endpoint& server, const StatusReply& reply, Ping ping, bool alone) {
                std::optional<ServerAnswer> answer;
                if (alone)
                    answer = StatusAnswer(reply, ping, convertTexts);
                pending.outcomes.append({server, answer, ShownStatus(reply, convertTexts)});
                Queue();
            });
    connect(&refresh, &ServerRefresh::PlayersAnswered, this,
            [this](const Endpoint& server, const QList<ServerPlayer>& players) {
                pending.outcomes.append({server, std::nullopt, ServerStatus{{}, {}, {}, players}});
                Queue();
            });
    connect(&refresh, &ServerRefresh::Silent, this, [this](const Endpoint& server) {
        pending.outcomes.append({server, std::nullopt, std::nullopt});
        Queue();
    });
    connect(&refresh, &ServerRefresh::HostNotFound, this, &TableRefresh::OnHostNotFound);
    connect(&refresh, &ServerRefresh::MasterEnded, this, &TableRefresh::OnMasterEnded);
    connect(&refresh, &ServerRefresh::Finished, this, &TableRefresh::OnFinished);
}

bool TableRefresh::Start(const ServerLists& lists, bool convert) {
    convertTexts = convert;
    pending.Clear();
    batchTimer.stop();
    quietMasters.clear();
    named.clear();
    QList<HostPort> servers;
    QList<ServerSources> sources;
    Merge(servers, sources, lists.favourites, ServerSource::Favourite);
    Merge(servers, sources, lists.recent, ServerSource::Recent);
    for (qsizetype i = 0; i < servers.size(); ++i)
        named.append({servers[i], sources[i]});

    model.BeginRefresh();
    const bool started = refresh.Start({servers, lists.masters, lists.games});
    emit StatusChanged(started ? StatusText() : QStringLiteral("No socket could be opened"));
    return started;
}

void TableRefresh::Stop() {
    if (!refresh.Running())
        return;
    refresh.Stop();
    ApplyPending();
    emit StatusChanged(StatusText());
}

void TableRefresh::Queue() {
    if (!batchTimer.isActive())
        batchTimer.start();
}

void TableRefresh::ApplyPending() {
    batchTimer.stop();
    if (pending.Empty())
        return;
    model.Apply(pending);
    pending.Clear();
    emit StatusChanged(StatusText());
}

void TableRefresh::OnListed(const Endpoint& server, int namedIndex) {
    if (namedIndex >= 0 && namedIndex < named.size())
        pending.listed.append({server, named[namedIndex].server, named[namedIndex].sources});
    else
        pending.listed.append({server, {}, ServerSource::Master});
    Queue();
}

// A named server whose host is unknown still gets its row, so that the user sees it and can take
// it out of his favourites.
void TableRefresh::OnHostNotFound(const QString& host) {
    for (const Named& n : std::as_const(named)) {
        if (n.server.host.compare(host, Qt::CaseInsensitive) == 0)
            pending.listed.append({{}, n.server, n.sources});
    }
    Queue();
}

void TableRefresh::OnMasterEnded(const HostPort& master, MasterOutcome outcome, int servers) {
    if (outcome == MasterOutcome::Failed || (outcome == MasterOutcome::TimedOut && servers == 0))
        quietMasters.append(HostPortText(master));
}

void TableRefresh::OnFinished() {
    ApplyPending();
    model.EndRefresh();
    emit StatusChanged(StatusText());
    emit Finished();
}

QString TableRefresh::StatusText() const {
    const ServerTableModel::Tally tally = model.CurrentTally();
    QString text =
        QStringLiteral("%1 of %2 servers answered").arg(tally.answered).arg(tally.servers);
    if (refresh.Running())
        text += QStringLiteral(", asking...");
    if (!quietMasters.isEmpty())
        text += QStringLiteral("; no list from ") + quietMasters.join(QStringLiteral(", "));
    return text;
}
