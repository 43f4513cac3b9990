#include "GameText.h"
#include "PlayerColours.h"
#include "QueryResult.h"
#include "Reports.h"

#include <QList>
#include <QStringList>
#include <algorithm>

namespace {

enum class Align { Left, Right };

// Columns as wide as their widest cell, two spaces apart, no blanks at the ends of lines.
QString Table(const QList<Align>& aligns, const QList<QStringList>& rows) {
    QList<qsizetype> widths(aligns.size(), 0);
    for (const QStringList& row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    QString table;
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                line += QStringLiteral("  ");
            line += aligns[c] == Align::Left ? row[c].leftJustified(widths[c])
                                             : row[c].rightJustified(widths[c]);
        }
        while (line.endsWith(u' '))
            line.chop(1);
        table += line + u'\n';
    }
    return table;
}

QString Colour(int colour) {
    return QString::number(colour) + u' ' + PlayerColourName(colour);
}

class TextWriter {
public:
    explicit TextWriter(bool raw) : raw(raw) {}

    QString Shown(const QByteArray& bytes) const {
        return Printable(raw ? RawText(bytes) : AsciiText(bytes));
    }

    QString Server(const QueryResult& r) const {
        return Table({Align::Left, Align::Left},
                     {{QStringLiteral("Server"), Shown(r.serverName)},
                      {QStringLiteral("Address"), Shown(r.serverAddress)},
                      {QStringLiteral("Map"), Shown(r.mapName)},
                      {QStringLiteral("Players"),
                       QStringLiteral("%1/%2").arg(r.currentPlayers).arg(r.maxPlayers)},
                      {QStringLiteral("Ping"), QStringLiteral("%1 ms").arg(r.ping)}});
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
        return Table({Align::Right, Align::Left, Align::Right, Align::Left, Align::Left,
                      Align::Right, Align::Left},
                     rows);
    }

    QString Rules(const QList<RuleResult>& rules) const {
        if (rules.isEmpty())
            return QStringLiteral("No rules.\n");
        QList<QStringList> rows{{QStringLiteral("Rule"), QStringLiteral("Value")}};
        for (const RuleResult& rule : rules)
            rows.append({Shown(rule.name), Shown(rule.value)});
        return Table({Align::Left, Align::Left}, rows);
    }

private:
    bool raw;
};

} // namespace

QString TextReport(const QueryResult& result, bool raw) {
    const TextWriter writer(raw);
    QStringList sections;
    if (result.serverInfo) {
        sections << writer.Server(result);
        if (result.showPlayers)
            sections << writer.Players(result.players);
        if (result.showRules)
            sections << writer.Rules(result.rules);
    }
    if (!result.complete) {
        sections
            << QStringLiteral("incomplete: %1\n").arg(result.missing.join(QStringLiteral(", ")));
    }
    return sections.join(u'\n');
}
