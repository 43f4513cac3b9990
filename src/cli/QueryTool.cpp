#include "QueryTool.h"

#include "ExitStatus.h"
#include "HistoryStore.h"
#include "ProgramName.h"
#include "Reports.h"
#include "ResultSamples.h"

#include <QIODevice>

namespace {

constexpr int MsPerSecond = 1000;

Settings ToolSettings(const QueryOptions& o) {
    Settings s = DefaultSettings();
    // The fields and rule rows keep the bytes as received, the reports convert them; and a rule
    // name goes back to the server exactly as it came, so the server finds the next rule.
    s.asciinames = 0;
    s.asciirules = 0;
    s.asciiserver = 0;
    s.timeout = o.timeout;
    // Without a game folder the writer writes nothing at all.
    s.nametrickery = o.gameFolder.isEmpty() ? 0 : 1;
    s.quakepath = o.gameFolder;
    s.quakename = o.quakename;
    return s;
}

} // namespace

QueryTool::QueryTool(const QueryOptions& options, QIODevice& out, QIODevice& errors,
                     HistoryStore& history, QObject* parent)
    : QObject(parent), options(options), out(out), errors(errors), history(history), view(errors),
      engine(view, &recorder),
      recorder({engine.handlers, engine.buffer, engine.state}, [this] { AfterReply(); }) {
    engine.settings = ToolSettings(options);
    engine.state.skipRules = options.noRules;
    deadline.setSingleShot(true);
    deadline.setInterval(options.timeout * MsPerSecond);
    repeat.setInterval(options.every * MsPerSecond);
    connect(&deadline, &QTimer::timeout, this, &QueryTool::OnDeadline);
    connect(&repeat, &QTimer::timeout, this, &QueryTool::OnRepeatTick);
}

QueryTool::~QueryTool() = default;

void QueryTool::Start() {
    if (!StartQuery()) {
        emit Finished(ExitBadArguments);
        return;
    }
    if (options.every > 0)
        repeat.start();
}

bool QueryTool::StartQuery() {
    ++queryNumber;
    engine.fields.serverHost = options.target.host;
    engine.fields.port = options.target.port;
    recorder.Open();
    // The Query button's folder tests and messages apply only where scripts are written.
    if (options.gameFolder.isEmpty())
        engine.cycle.StartQuery();
    else
        engine.cycle.OnQueryButton();
    if (engine.state.querying != 1) {
        recorder.Close();
        return false;
    }
    // Each query has a socket of its own.
    connect(&engine.cycle.Socket(), &QuerySocket::HostNotFound, this,
            [this, query = queryNumber] { OnHostNotFound(query); });
    phase = Phase::Running;
    deadline.start();
    return true;
}

bool QueryTool::AllIn(bool relaxed) const {
    return engine.cycle.Complete(relaxed) && (options.noRules || recorder.RulesEnded());
}

void QueryTool::AfterReply() {
    if (phase == Phase::Running && AllIn(false))
        EndLater(ExitComplete);
}

void QueryTool::OnHostNotFound(int query) {
    if (query != queryNumber || phase != Phase::Running)
        return;
    errors.write((ProgramName + QStringLiteral(": host not found: ") + options.target.host + u'\n')
                     .toUtf8());
    EndLater(ExitHostNotFound);
}

// Called from inside the socket's own signal, which must not see its socket replaced under it:
// the query ends once control is back in the event loop. Nothing gets through meanwhile.
void QueryTool::EndLater(int status) {
    phase = Phase::Ending;
    pendingStatus = status;
    recorder.Close();
    deadline.stop();
    QTimer::singleShot(0, this, [this, query = queryNumber] {
        if (query == queryNumber && phase == Phase::Ending)
            EndQuery(pendingStatus);
    });
}

void QueryTool::OnDeadline() {
    if (phase == Phase::Running)
        EndQuery(AllIn(true) ? ExitComplete : ExitIncomplete);
}

void QueryTool::OnRepeatTick() {
    if (phase == Phase::Running)
        OnDeadline();
    else if (phase == Phase::Ending)
        EndQuery(pendingStatus);
    StartQuery();
}

void QueryTool::EndQuery(int status) {
    phase = Phase::Idle;
    deadline.stop();
    recorder.Close();
    const QueryResult result = Collect(status == ExitComplete);
    // Closes the socket: nothing more of this query is taken in.
    engine.cycle.StopQuery();
    if (status != ExitHostNotFound) {
        history.Record({ResultSample(HostPortText(options.target), result)},
                       QDateTime::currentDateTimeUtc());
        Print(result);
    }
    if (options.every == 0)
        emit Finished(status);
}

QStringList QueryTool::Missing() const {
    if (engine.state.serverInfoReceived == 0)
        return {QStringLiteral("server info")};
    QStringList missing;
    if (engine.state.playerReplies < engine.fields.currentPlayers) {
        for (int n = 0; n < engine.fields.currentPlayers; ++n) {
            if (!engine.state.countedPlayers.test(n))
                missing << QStringLiteral("player %1").arg(n);
        }
    }
    if (!options.noRules && !recorder.RulesEnded())
        missing << QStringLiteral("end of rules");
    return missing;
}

QueryResult QueryTool::Collect(bool complete) const {
    QueryResult r;
    r.serverInfo = engine.state.serverInfoReceived != 0;
    r.serverName = engine.fields.serverName.toLatin1();
    r.serverAddress = engine.fields.serverAddress.toLatin1();
    r.mapName = engine.fields.mapName.toLatin1();
    r.currentPlayers = engine.fields.currentPlayers;
    r.maxPlayers = engine.fields.maxPlayers;
    r.ping = engine.fields.ping;
    r.showPlayers = !options.noPlayers;
    r.showRules = !options.noRules;
    for (const PlayerInfo& p : recorder.Players()) {
        // A repeated server info may have lowered the count below a player already in.
        if (p.number < engine.fields.currentPlayers) {
            r.players.append({p.number, QByteArray(p.name.Data(), qsizetype(p.name.Length())),
                              p.frags, p.shirt, p.pants, p.connectTime,
                              QByteArray(p.address.Data(), qsizetype(p.address.Length()))});
        }
    }
    for (const auto& [name, value] : view.Rules())
        r.rules.append({name.toLatin1(), value.toLatin1()});
    r.rulesTruncated = r.showRules && engine.state.ruleCount >= MaxRules;
    r.complete = complete;
    if (!complete)
        r.missing = Missing();
    return r;
}

void QueryTool::Print(const QueryResult& result) {
    if (options.json) {
        out.write(JsonReport(result));
    } else {
        QString text = TextReport(result, options.raw);
        if (printed > 0)
            text.prepend(u'\n');
        out.write(text.toUtf8());
    }
    ++printed;
}
