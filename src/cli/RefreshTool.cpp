#include "RefreshTool.h"

#include "ExitStatus.h"
#include "HistoryStore.h"
#include "ProgramName.h"
#include "Reports.h"
#include "ResultSamples.h"
#include "ServerRow.h"

#include <QIODevice>

namespace {

constexpr int MsPerSecond = 1000;

template <std::size_t N> QByteArray Bytes(const FixedText<N>& text) {
    return {text.Data(), qsizetype(text.Length())};
}

} // namespace

RefreshTool::RefreshTool(const RefreshOptions& options, QIODevice& out, QIODevice& errors,
                         HistoryStore& history, const Clock& clock, QObject* parent)
    : QObject(parent), options(options), out(out), errors(errors), history(history),
      refresh(clock) {
    deadline.setSingleShot(true);
    deadline.setInterval(options.timeout * MsPerSecond);
    connect(&deadline, &QTimer::timeout, this, &RefreshTool::OnDeadline);
    connect(&refresh, &ServerRefresh::Listed, this, &RefreshTool::OnListed);
    connect(&refresh, &ServerRefresh::Answered, this, &RefreshTool::OnAnswered);
    connect(&refresh, &ServerRefresh::StatusAnswered, this, &RefreshTool::OnStatus);
    connect(&refresh, &ServerRefresh::PlayersAnswered, this, &RefreshTool::OnPlayers);
    connect(&refresh, &ServerRefresh::HostNotFound, this, &RefreshTool::OnHostNotFound);
    connect(&refresh, &ServerRefresh::MasterEnded, this, &RefreshTool::OnMasterEnded);
    connect(&refresh, &ServerRefresh::Finished, this, &RefreshTool::End);
    namedDone.fill(false, options.servers.size());
    for (const HostPort& master : options.masters)
        masters.append({HostPortText(master), MasterOutcome::TimedOut, std::nullopt});
    mastersEnded.fill(false, masters.size());
}

void RefreshTool::Start() {
    if (!refresh.Start({options.servers, options.masters, options.games})) {
        Tell(QStringLiteral("cannot open a socket"));
        emit Finished(ExitIncomplete);
        return;
    }
    deadline.start();
}

void RefreshTool::OnDeadline() {
    refresh.Stop();
    End();
}

void RefreshTool::OnListed(const Endpoint& server, int namedIndex) {
    if (namedIndex >= 0)
        namedDone[namedIndex] = true;
    const QString named =
        namedIndex >= 0 ? HostPortText(options.servers.at(namedIndex)) : QString();
    const auto row = rows.constFind(server);
    if (row != rows.cend()) {
        // A server both named and listed goes by the name the user gave it.
        if (!named.isEmpty())
            entries[*row].address = named;
        return;
    }
    rows.insert(server, entries.size());
    entries.append(
        {named.isEmpty() ? server.ToString() : named, RefreshEntry::Outcome::NoAnswer, {}});
}

RefreshEntry* RefreshTool::EntryOf(const Endpoint& server) {
    const auto row = rows.constFind(server);
    return row == rows.cend() ? nullptr : &entries[*row];
}

void RefreshTool::OnAnswered(const Endpoint& server, const ServerInfo& info, Ping ping) {
    RefreshEntry* e = EntryOf(server);
    if (!e)
        return;
    e->outcome = RefreshEntry::Outcome::Answered;
    e->netQuake = true;
    QueryResult& s = e->server;
    s.serverInfo = true;
    s.serverName = Bytes(info.name);
    s.serverAddress = Bytes(info.address);
    s.mapName = Bytes(info.map);
    s.currentPlayers = info.currentPlayers;
    s.maxPlayers = info.maxPlayers;
    s.ping = ping;
}

// A server that answers only its status is shown from it.
void RefreshTool::OnStatus(const Endpoint& server, const StatusReply& reply, Ping ping,
                           bool alone) {
    RefreshEntry* e = EntryOf(server);
    if (!e)
        return;
    e->mod = reply.Value("modname");
    e->engine = reply.Value("ver");
    e->players = reply.players;
    if (!alone)
        return;
    e->outcome = RefreshEntry::Outcome::Answered;
    e->netQuake = false;
    // Unconverted, every byte is one Latin-1 character and back.
    const ServerAnswer answer = StatusAnswer(reply, ping, false);
    QueryResult& s = e->server;
    s.serverInfo = true;
    s.serverName = answer.name.toLatin1();
    s.mapName = answer.map.toLatin1();
    s.currentPlayers = answer.currentPlayers;
    s.maxPlayers = answer.maxPlayers;
    s.ping = ping;
}

void RefreshTool::OnPlayers(const Endpoint& server, const QList<ServerPlayer>& players) {
    if (RefreshEntry* e = EntryOf(server))
        e->players = players;
}

void RefreshTool::OnHostNotFound(const QString& host) {
    ++hostsNotFound;
    Tell(QStringLiteral("host not found: ") + host);
    for (qsizetype i = 0; i < namedDone.size(); ++i) {
        if (!namedDone[i] && options.servers[i].host == host) {
            namedDone[i] = true;
            entries.append({HostPortText(options.servers[i]), RefreshEntry::Outcome::NotFound, {}});
        }
    }
}

// A master given twice ends once for each time it was given.
void RefreshTool::OnMasterEnded(const HostPort& master, MasterOutcome outcome, int servers) {
    for (qsizetype i = 0; i < masters.size(); ++i) {
        if (!mastersEnded[i] && options.masters[i] == master) {
            mastersEnded[i] = true;
            masters[i] = {masters[i].address, outcome, servers};
            break;
        }
    }
    if (outcome == MasterOutcome::TimedOut) {
        Tell(QStringLiteral("master %1 did not end its list (%2 servers)")
                 .arg(HostPortText(master))
                 .arg(servers));
    }
}

// Nothing to ask at all because no name could be looked up; otherwise complete only when every
// server answered and every master ended its list.
int RefreshTool::Status() const {
    const auto every = [this](RefreshEntry::Outcome server, MasterOutcome master) {
        return std::all_of(entries.begin(), entries.end(),
                           [&](const RefreshEntry& e) { return e.outcome == server; }) &&
               std::all_of(masters.begin(), masters.end(),
                           [&](const MasterReport& m) { return m.outcome == master; });
    };
    if (hostsNotFound > 0 && every(RefreshEntry::Outcome::NotFound, MasterOutcome::Failed))
        return ExitHostNotFound;
    return every(RefreshEntry::Outcome::Answered, MasterOutcome::Done) ? ExitComplete
                                                                       : ExitIncomplete;
}

void RefreshTool::End() {
    if (ended)
        return;
    ended = true;
    deadline.stop();
    for (qsizetype i = 0; i < namedDone.size(); ++i) {
        if (!namedDone[i])
            entries.append({HostPortText(options.servers[i]), RefreshEntry::Outcome::NoAnswer, {}});
    }
    for (qsizetype i = 0; i < masters.size(); ++i) {
        if (!mastersEnded[i])
            Tell(QStringLiteral("master %1 did not answer in time").arg(masters[i].address));
    }
    history.Record(RefreshSamples(entries), QDateTime::currentDateTimeUtc());
    const int status = Status();
    QList<RefreshEntry> sorted = entries;
    SortByPing(sorted);
    // With no host found the reasons went to the error output; a JSON reader still gets its
    // document.
    if (options.json)
        out.write(RefreshJsonReport(sorted, masters));
    else if (status != ExitHostNotFound)
        out.write(RefreshTextReport(sorted, options.raw).toUtf8());
    emit Finished(status);
}

void RefreshTool::Tell(const QString& text) {
    errors.write((ProgramName + QStringLiteral(": ") + text + u'\n').toUtf8());
}
