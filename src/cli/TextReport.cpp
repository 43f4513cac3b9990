#include "GameText.h"
#include "PlayerColours.h"
#include "QueryResult.h"
#include "QueryState.h"
#include "Reports.h"
#include "TextTable.h"

#include <QList>
#include <QStringList>

namespace {

QString Colour(int colour) {
    return QString::number(colour) + u' ' + PlayerColourName(colour);
}

class TextWriter {
public:
    explicit TextWriter(bool raw) : raw(raw) {}

    QString Shown(const QByteArray& bytes) const { return TerminalText(bytes, raw); }

    QString Server(const QueryResult& r) const {
        return TextTable({Align::Left, Align::Left},
                         {{QStringLiteral("Server"), Shown(r.serverName)},
                          {QStringLiteral("Address"), Shown(r.serverAddress)},
                          {QStringLiteral("Map"), Shown(r.mapName)},
                          {QStringLiteral("Players"),
                           QStringLiteral("%1/%2").arg(r.currentPlayers).arg(r.maxPlayers)},
                          {QStringLiteral("Ping"), PingCell(r.ping)}});
    }

    QString Players(const QList<PlayerResult>& players) const {
        if (players.isEmpty())
            return QStringLiteral("No players.\n");
        QList<QStringList> rows{{QStringLiteral("#"), QStringLiteral("Name"),
                                 QStringLiteral("Frags"), QStringLiteral("Shirt"),
                                 QStringLiteral("Pants"), QStringLiteral("Connected"),
                                 QStringLiteral("Address")}};
        for (const PlayerResult& p : players) {
            rows.append({QString::number(p.number), Shown(p.name), QString::number(p.frags),
                         Colour(p.shirt), Colour(p.pants), QString::number(p.connectTime),
                         Shown(p.address)});
        }
        return TextTable({Align::Right, Align::Left, Align::Right, Align::Left, Align::Left,
                          Align::Right, Align::Left},
                         rows);
    }

    QString Rules(const QList<RuleResult>& rules) const {
        if (rules.isEmpty())
            return QStringLiteral("No rules.\n");
        QList<QStringList> rows{{QStringLiteral("Rule"), QStringLiteral("Value")}};
        for (const RuleResult& rule : rules)
            rows.append({Shown(rule.name), Shown(rule.value)});
        return TextTable({Align::Left, Align::Left}, rows);
    }

private:
    bool raw;
};

} // namespace

QString PingCell(const Ping& ping) {
    return PingText(ping) + QStringLiteral(" ms");
}

QString TextReport(const QueryResult& result, bool raw) {
    const TextWriter writer(raw);
    QStringList sections;
    if (result.serverInfo) {
        sections << writer.Server(result);
        if (result.showPlayers)
            sections << writer.Players(result.players);
        if (result.showRules)
            sections << writer.Rules(result.rules);
        if (result.rulesTruncated)
            sections << QStringLiteral("rules cut: only the first %1 are listed\n").arg(MaxRules);
    }
    if (!result.complete) {
        sections
            << QStringLiteral("incomplete: %1\n").arg(result.missing.join(QStringLiteral(", ")));
    }
    return sections.join(u'\n');
}
