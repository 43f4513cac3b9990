#include "GameText.h"
#include "QueryResult.h"
#include "Reports.h"
#include "TextTable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

namespace {

using Outcome = RefreshEntry::Outcome;

QString OutcomeText(Outcome outcome) {
    switch (outcome) {
    case Outcome::Answered:
        return QStringLiteral("answered");
    case Outcome::NoAnswer:
        return QStringLiteral("no answer");
    case Outcome::NotFound:
        break;
    }
    return QStringLiteral("not found");
}

QString OutcomeText(MasterOutcome outcome) {
    switch (outcome) {
    case MasterOutcome::Done:
        return QStringLiteral("done");
    case MasterOutcome::Failed:
        return QStringLiteral("failed");
    case MasterOutcome::TimedOut:
        break;
    }
    return QStringLiteral("timed out");
}

// Each player with what the server gave of him: a status answer tells the ping, the player
// requests the time connected.
QJsonArray PlayersJson(const QList<ServerPlayer>& players) {
    QJsonArray list;
    for (const ServerPlayer& p : players) {
        QJsonObject object{{QStringLiteral("name"), TextJson(p.name)},
                           {QStringLiteral("frags"), p.frags}};
        if (p.pingMs)
            object.insert(QStringLiteral("ping"), *p.pingMs);
        if (p.secondsConnected)
            object.insert(QStringLiteral("connectTime"), *p.secondsConnected);
        if (p.shirt >= 0)
            object.insert(QStringLiteral("shirt"), ColourJson(p.shirt));
        if (p.pants >= 0)
            object.insert(QStringLiteral("pants"), ColourJson(p.pants));
        list.append(object);
    }
    return list;
}

void InsertStatus(const RefreshEntry& e, QJsonObject& object) {
    object.insert(QStringLiteral("netQuake"), e.netQuake);
    if (!e.mod.isEmpty())
        object.insert(QStringLiteral("mod"), TextJson(e.mod));
    if (!e.engine.isEmpty())
        object.insert(QStringLiteral("engine"), TextJson(e.engine));
    if (e.players)
        object.insert(QStringLiteral("players"), PlayersJson(*e.players));
}

} // namespace

void SortByPing(QList<RefreshEntry>& entries) {
    std::stable_sort(
        entries.begin(), entries.end(), [](const RefreshEntry& a, const RefreshEntry& b) {
            const bool aAnswered = a.outcome == Outcome::Answered;
            if (aAnswered != (b.outcome == Outcome::Answered))
                return aAnswered;
            return aAnswered && a.server.ping.milliseconds < b.server.ping.milliseconds;
        });
}

QString RefreshTextReport(const QList<RefreshEntry>& entries, bool raw) {
    QList<QStringList> rows;
    for (const RefreshEntry& e : entries) {
        const QueryResult& s = e.server;
        if (e.outcome == Outcome::Answered) {
            rows.append({PingCell(s.ping),
                         QStringLiteral("%1/%2").arg(s.currentPlayers).arg(s.maxPlayers),
                         TerminalText(s.mapName, raw), e.address, TerminalText(s.serverName, raw)});
        } else {
            rows.append({OutcomeText(e.outcome), {}, {}, e.address});
        }
    }
    return TextTable({Align::Right, Align::Right, Align::Left, Align::Left, Align::Left}, rows);
}

QByteArray RefreshJsonReport(const QList<RefreshEntry>& entries,
                             const QList<MasterReport>& masters) {
    QJsonArray servers;
    for (const RefreshEntry& e : entries) {
        QJsonObject object{{QStringLiteral("address"), e.address},
                           {QStringLiteral("outcome"), OutcomeText(e.outcome)}};
        if (e.outcome == Outcome::Answered) {
            object.insert(QStringLiteral("server"), ServerJson(e.server));
            object.insert(QStringLiteral("pingAfterResend"), e.server.ping.afterResend);
            InsertStatus(e, object);
        }
        servers.append(object);
    }
    QJsonArray masterList;
    for (const MasterReport& m : masters) {
        QJsonObject object{{QStringLiteral("address"), m.address},
                           {QStringLiteral("outcome"), OutcomeText(m.outcome)}};
        if (m.servers)
            object.insert(QStringLiteral("servers"), *m.servers);
        masterList.append(object);
    }
    const QJsonObject document{{QStringLiteral("servers"), servers},
                               {QStringLiteral("masters"), masterList}};
    return QJsonDocument(document).toJson(QJsonDocument::Compact) + '\n';
}
