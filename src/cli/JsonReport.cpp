#include "GameText.h"
#include "PlayerColours.h"
#include "QueryResult.h"
#include "Reports.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// The bytes as numbers keep every byte whatever it is; the converted text lies in 32..127 and
// the JSON writer escapes what needs it.
QJsonObject TextJson(const QByteArray& bytes) {
    QJsonArray values;
    for (const char c : bytes)
        values.append(int(static_cast<unsigned char>(c)));
    return {{QStringLiteral("text"), AsciiText(bytes)}, {QStringLiteral("bytes"), values}};
}

QJsonObject ColourJson(int colour) {
    return {{QStringLiteral("number"), colour}, {QStringLiteral("name"), PlayerColourName(colour)}};
}

namespace {

QJsonArray Players(const QList<PlayerResult>& players) {
    QJsonArray list;
    for (const PlayerResult& p : players) {
        list.append(QJsonObject{{QStringLiteral("number"), p.number},
                                {QStringLiteral("name"), TextJson(p.name)},
                                {QStringLiteral("frags"), p.frags},
                                {QStringLiteral("shirt"), ColourJson(p.shirt)},
                                {QStringLiteral("pants"), ColourJson(p.pants)},
                                {QStringLiteral("connectTime"), p.connectTime},
                                {QStringLiteral("address"), TextJson(p.address)}});
    }
    return list;
}

QJsonArray Rules(const QList<RuleResult>& rules) {
    QJsonArray list;
    for (const RuleResult& rule : rules) {
        list.append(QJsonObject{{QStringLiteral("name"), TextJson(rule.name)},
                                {QStringLiteral("value"), TextJson(rule.value)}});
    }
    return list;
}

} // namespace

QJsonObject ServerJson(const QueryResult& r) {
    return {{QStringLiteral("name"), TextJson(r.serverName)},
            {QStringLiteral("address"), TextJson(r.serverAddress)},
            {QStringLiteral("map"), TextJson(r.mapName)},
            {QStringLiteral("players"), r.currentPlayers},
            {QStringLiteral("maxPlayers"), r.maxPlayers},
            {QStringLiteral("ping"), r.ping.milliseconds}};
}

QByteArray JsonReport(const QueryResult& result) {
    QJsonObject document;
    document.insert(QStringLiteral("server"),
                    result.serverInfo ? QJsonValue(ServerJson(result)) : QJsonValue());
    if (result.showPlayers)
        document.insert(QStringLiteral("players"), Players(result.players));
    if (result.showRules) {
        document.insert(QStringLiteral("rules"), Rules(result.rules));
        document.insert(QStringLiteral("rulesTruncated"), result.rulesTruncated);
    }
    document.insert(QStringLiteral("complete"), result.complete);
    document.insert(QStringLiteral("missing"), QJsonArray::fromStringList(result.missing));
    return QJsonDocument(document).toJson(QJsonDocument::Compact) + '\n';
}
