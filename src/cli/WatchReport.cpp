#include "GameText.h"
#include "Reports.h"
#include "WatchEvents.h"

#include <QDateTime>
#include <QJsonDocument>

QByteArray WatchEventLine(const WatchEvent& event, const QDateTime& time, bool json, bool raw) {
    const QString when = time.toUTC().toString(Qt::ISODate);
    const bool buddy = !event.player.isEmpty();
    if (!json) {
        return QStringList{when, WatchEventName(event.kind), event.server,
                           buddy ? TerminalText(event.player, raw) : QString(),
                           Printable(event.name)}
                   .join(u'\t')
                   .toUtf8() +
               '\n';
    }
    QJsonObject object{{QStringLiteral("time"), when},
                       {QStringLiteral("event"), WatchEventName(event.kind)},
                       {QStringLiteral("server"), event.server},
                       {QStringLiteral("name"), event.name}};
    if (buddy)
        object.insert(QStringLiteral("player"), TextJson(event.player));
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}
