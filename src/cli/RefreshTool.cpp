#include "RefreshTool.h"

#include "ExitStatus.h"
#include "ProgramName.h"
#include "Reports.h"

#include <QIODevice>

namespace {

constexpr int MsPerSecond = 1000;

template <std::size_t N> QByteArray Bytes(const FixedText<N>& text) {
    return {text.Data(), qsizetype(text.Length())};
}

} // namespace

RefreshTool::RefreshTool(const RefreshOptions& options, QIODevice& out, QIODevice& errors,
                         const Clock& clock, QObject* parent)
    : QObject(parent), options(options), out(out), errors(errors), refresh(clock) {
    deadline.setSingleShot(true);
    deadline.setInterval(options.timeout * MsPerSecond);
    connect(&deadline, &QTimer::timeout, this, &RefreshTool::OnDeadline);
    connect(&refresh, &ServerRefresh::Listed, this, &RefreshTool::OnListed);
    connect(&refresh, &ServerRefresh::Answered, this, &RefreshTool::OnAnswered);
    connect(&refresh, &ServerRefresh::HostNotFound, this, &RefreshTool::OnHostNotFound);
    connect(&refresh, &ServerRefresh::MasterEnded, this, &RefreshTool::OnMasterEnded);
    connect(&refresh, &ServerRefresh::Finished, this, &RefreshTool::End);
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
    entries.append({named.isEmpty() ? server.ToString() : named, false, {}});
}

void RefreshTool::OnAnswered(const Endpoint& server, const ServerInfo& info, Ping ping) {
    const auto row = rows.constFind(server);
    if (row == rows.cend())
        return;
    RefreshEntry& e = entries[*row];
    e.answered = true;
    QueryResult& s = e.server;
    s.serverInfo = true;
    s.serverName = Bytes(info.name);
    s.serverAddress = Bytes(info.address);
    s.mapName = Bytes(info.map);
    s.currentPlayers = info.currentPlayers;
    s.maxPlayers = info.maxPlayers;
    s.ping = ping;
}

void RefreshTool::OnHostNotFound(const QString& host) {
    ++hostsNotFound;
    Tell(QStringLiteral("host not found: ") + host);
}

void RefreshTool::OnMasterEnded(const HostPort& master, MasterOutcome outcome, int servers) {
    if (outcome != MasterOutcome::Failed)
        ++mastersHeard;
    if (outcome == MasterOutcome::Done)
        return;
    mastersMissed = true;
    if (outcome == MasterOutcome::TimedOut) {
        Tell(QStringLiteral("master %1 did not end its list (%2 servers)")
                 .arg(HostPortText(master))
                 .arg(servers));
    }
}

// Nothing to ask at all because no name could be looked up; otherwise complete only when every
// server and every master answered.
int RefreshTool::Status() const {
    if (entries.isEmpty() && mastersHeard == 0 && hostsNotFound > 0)
        return ExitHostNotFound;
    const bool allAnswered = std::all_of(entries.begin(), entries.end(),
                                         [](const RefreshEntry& e) { return e.answered; });
    return allAnswered && !mastersMissed && hostsNotFound == 0 ? ExitComplete : ExitIncomplete;
}

void RefreshTool::End() {
    if (ended)
        return;
    ended = true;
    deadline.stop();
    const int status = Status();
    if (status != ExitHostNotFound) {
        QList<RefreshEntry> sorted = entries;
        SortByPing(sorted);
        out.write(options.json ? RefreshJsonReport(sorted)
                               : RefreshTextReport(sorted, options.raw).toUtf8());
    }
    emit Finished(status);
}

void RefreshTool::Tell(const QString& text) {
    errors.write((ProgramName + QStringLiteral(": ") + text + u'\n').toUtf8());
}
