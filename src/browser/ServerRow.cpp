#include "ServerRow.h"

#include "NameMatch.h"
#include "QuakeToAscii.h"
#include "ServerLists.h"
#include "ShownText.h"

#include <QStringList>
#include <algorithm>

ServerAnswer ShownAnswer(const ServerInfo& info, Ping ping, bool convert) {
    ServerInfo shown = info;
    if (convert) {
        QuakeToAscii(shown.address.Data());
        QuakeToAscii(shown.name.Data());
        QuakeToAscii(shown.map.Data());
    }
    return {ShownText(shown.name), ShownText(shown.map), ShownText(shown.address),
            shown.currentPlayers,  shown.maxPlayers,     ping};
}

ServerAnswer StatusAnswer(const StatusReply& reply, Ping ping, bool convert) {
    const auto count = [&](QByteArrayView key) {
        return std::clamp(reply.Value(key).toInt(), 0, 255);
    };
    ServerAnswer answer{ShownText(reply.Value("hostname"), convert),
                        ShownText(reply.Value("mapname"), convert),
                        {},
                        count("clients"),
                        count("sv_maxclients"),
                        ping};
    answer.netQuake = false;
    return answer;
}

ServerStatus ShownStatus(const StatusReply& reply, bool convert) {
    QByteArray protocol = reply.Value("nqprotocol");
    if (protocol.isEmpty())
        protocol = reply.Value("protocol");
    return {ShownText(reply.Value("modname"), convert), ShownText(reply.Value("ver"), convert),
            ShownText(protocol, convert), reply.players};
}

bool AnySameServer(const HostPort& server, const QList<HostPort>& names) {
    return std::any_of(names.begin(), names.end(),
                       [&](const HostPort& name) { return SameServer(server, name); });
}

FavouriteAlert AlertFor(const QList<FavouriteAlert>& alerts, const QList<HostPort>& names) {
    const auto found = std::find_if(alerts.begin(), alerts.end(), [&](const FavouriteAlert& a) {
        return AnySameServer(a.server, names);
    });
    return found != alerts.end() ? *found : FavouriteAlert{};
}

QString SourcesText(ServerSources sources) {
    QStringList names;
    if (sources.testFlag(ServerSource::Favourite))
        names << QStringLiteral("favourite");
    if (sources.testFlag(ServerSource::Recent))
        names << QStringLiteral("recent");
    if (sources.testFlag(ServerSource::Master))
        names << QStringLiteral("master");
    return names.join(QStringLiteral(", "));
}

QList<ServerPlayer> PlayersNamed(const ServerRow& row, const QStringList& texts) {
    QList<ServerPlayer> named;
    if (!row.status)
        return named;
    for (const ServerPlayer& player : row.status->players) {
        if (std::any_of(texts.begin(), texts.end(),
                        [&](const QString& text) { return NameContains(player.name, text); }))
            named.append(player);
    }
    return named;
}
