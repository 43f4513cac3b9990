#include "SweepTool.h"

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

SweepTool::SweepTool(const SweepOptions& options, QIODevice& out, QIODevice& errors,
                     const Clock& clock, QObject* parent)
    : QObject(parent), options(options), out(out), errors(errors), sweep(clock) {
    deadline.setSingleShot(true);
    deadline.setInterval(options.timeout * MsPerSecond);
    connect(&deadline, &QTimer::timeout, this, &SweepTool::OnDeadline);
    connect(&sweep, &ServerSweep::Listed, this, &SweepTool::OnListed);
    connect(&sweep, &ServerSweep::Answered, this, &SweepTool::OnAnswered);
    connect(&sweep, &ServerSweep::HostNotFound, this, &SweepTool::OnHostNotFound);
    connect(&sweep, &ServerSweep::MasterEnded, this, &SweepTool::OnMasterEnded);
    connect(&sweep, &ServerSweep::Finished, this, &SweepTool::End);
}

void SweepTool::Start() {
    if (!sweep.Start({options.servers, options.masters, options.games})) {
        Tell(QStringLiteral("cannot open a socket"));
        emit Finished(ExitIncomplete);
        return;
    }
    deadline.start();
}

void SweepTool::OnDeadline() {
    sweep.Stop();
    End();
}

void SweepTool::OnListed(const Endpoint& server, int namedIndex) {
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
    entries.append({named.isEmpty() ? server.ToString() : named, false, false, {}});
}

void SweepTool::OnAnswered(const Endpoint& server, const ServerInfo& info, Ping ping) {
    const auto row = rows.constFind(server);
    if (row == rows.cend())
        return;
    SweepEntry& e = entries[*row];
    e.answered = true;
    e.pingAfterResend = ping.afterResend;
    QueryResult& s = e.server;
    s.serverInfo = true;
    s.serverName = Bytes(info.name);
    s.serverAddress = Bytes(info.address);
    s.mapName = Bytes(info.map);
    s.currentPlayers = info.currentPlayers;
    s.maxPlayers = info.maxPlayers;
    s.ping = ping.milliseconds;
}

void SweepTool::OnHostNotFound(const QString& host) {
    ++hostsNotFound;
    Tell(QStringLiteral("host not found: ") + host);
}

void SweepTool::OnMasterEnded(const HostPort& master, MasterOutcome outcome, int servers) {
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
int SweepTool::Status() const {
    if (entries.isEmpty() && mastersHeard == 0 && hostsNotFound > 0)
        return ExitHostNotFound;
    const bool allAnswered =
        std::all_of(entries.begin(), entries.end(), [](const SweepEntry& e) { return e.answered; });
    return allAnswered && !mastersMissed && hostsNotFound == 0 ? ExitComplete : ExitIncomplete;
}

void SweepTool::End() {
    if (ended)
        return;
    ended = true;
    deadline.stop();
    const int status = Status();
    if (status != ExitHostNotFound) {
        QList<SweepEntry> sorted = entries;
        SortByPing(sorted);
        out.write(options.json ? SweepJsonReport(sorted)
                               : SweepTextReport(sorted, options.raw).toUtf8());
    }
    emit Finished(status);
}

void SweepTool::Tell(const QString& text) {
    errors.write((ProgramName + QStringLiteral(": ") + text + u'\n').toUtf8());
}
