#include "GameText.h"
#include "QueryResult.h"
#include "Reports.h"
#include "TextTable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

namespace {

QString PingText(const SweepEntry& e) {
    return (e.pingAfterResend ? QStringLiteral("~%1 ms") : QStringLiteral("%1 ms"))
        .arg(e.server.ping);
}

} // namespace

void SortByPing(QList<SweepEntry>& entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const SweepEntry& a, const SweepEntry& b) {
        if (a.answered != b.answered)
            return a.answered;
        return a.answered && a.server.ping < b.server.ping;
    });
}

QString SweepTextReport(const QList<SweepEntry>& entries, bool raw) {
    QList<QStringList> rows;
    for (const SweepEntry& e : entries) {
        const QueryResult& s = e.server;
        if (e.answered) {
            rows.append({PingText(e),
                         QStringLiteral("%1/%2").arg(s.currentPlayers).arg(s.maxPlayers),
                         TerminalText(s.mapName, raw), e.address, TerminalText(s.serverName, raw)});
        } else {
            rows.append({QStringLiteral("no answer"), {}, {}, e.address});
        }
    }
    return TextTable({Align::Right, Align::Right, Align::Left, Align::Left, Align::Left}, rows);
}

QByteArray SweepJsonReport(const QList<SweepEntry>& entries) {
    QJsonArray list;
    for (const SweepEntry& e : entries) {
        QJsonObject object{{QStringLiteral("address"), e.address},
                           {QStringLiteral("answered"), e.answered}};
        if (e.answered) {
            object.insert(QStringLiteral("server"), ServerJson(e.server));
            object.insert(QStringLiteral("pingAfterResend"), e.pingAfterResend);
        }
        list.append(object);
    }
    return QJsonDocument(list).toJson(QJsonDocument::Compact) + '\n';
}
