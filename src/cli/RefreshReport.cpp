#include "GameText.h"
#include "QueryResult.h"
#include "Reports.h"
#include "TextTable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

namespace {} // namespace

void SortByPing(QList<RefreshEntry>& entries) {
    std::stable_sort(
        entries.begin(), entries.end(), [](const RefreshEntry& a, const RefreshEntry& b) {
            if (a.answered != b.answered)
                return a.answered;
            return a.answered && a.server.ping.milliseconds < b.server.ping.milliseconds;
        });
}

QString RefreshTextReport(const QList<RefreshEntry>& entries, bool raw) {
    QList<QStringList> rows;
    for (const RefreshEntry& e : entries) {
        const QueryResult& s = e.server;
        if (e.answered) {
            rows.append({PingCell(s.ping),
                         QStringLiteral("%1/%2").arg(s.currentPlayers).arg(s.maxPlayers),
                         TerminalText(s.mapName, raw), e.address, TerminalText(s.serverName, raw)});
        } else {
            rows.append({QStringLiteral("no answer"), {}, {}, e.address});
        }
    }
    return TextTable({Align::Right, Align::Right, Align::Left, Align::Left, Align::Left}, rows);
}

QByteArray RefreshJsonReport(const QList<RefreshEntry>& entries) {
    QJsonArray list;
    for (const RefreshEntry& e : entries) {
        QJsonObject object{{QStringLiteral("address"), e.address},
                           {QStringLiteral("answered"), e.answered}};
        if (e.answered) {
            object.insert(QStringLiteral("server"), ServerJson(e.server));
            object.insert(QStringLiteral("pingAfterResend"), e.server.ping.afterResend);
        }
        list.append(object);
    }
    return QJsonDocument(list).toJson(QJsonDocument::Compact) + '\n';
}
