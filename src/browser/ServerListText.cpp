#include "ServerListText.h"

#include "ServerLists.h"

#include <QRegularExpression>

namespace {

// The lines with something on them, trimmed, with their line numbers counted from 1.
QList<std::pair<int, QString>> FilledLines(const QString& text) {
    QList<std::pair<int, QString>> lines;
    const QStringList all = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QString line = all[i].trimmed();
        if (!line.isEmpty())
            lines.append({int(i + 1), line});
    }
    return lines;
}

QString OnLine(int line, const QString& reason) {
    return QStringLiteral("Line %1: %2").arg(line).arg(reason);
}

} // namespace

bool CheckGameName(const QString& name, QString& error) {
    if (!name.isEmpty() && name.size() <= LongestGameName &&
        std::all_of(name.begin(), name.end(),
                    [](QChar c) { return c.unicode() > 32 && c.unicode() < 127; }))
        return true;
    error = QStringLiteral("\"%1\" is no game name: give one word of letters, digits and "
                           "punctuation, at most %2")
                .arg(name)
                .arg(LongestGameName);
    return false;
}

std::optional<QList<HostPort>> ParseServerLines(const QString& text, int defaultPort,
                                                QString& error) {
    QList<HostPort> servers;
    for (const auto& [number, line] : FilledLines(text)) {
        QString reason;
        const std::optional<HostPort> server =
            ParseHostPort(line, defaultPort, reason, BareIpv6::Refused);
        if (!server) {
            error = OnLine(number, reason);
            return std::nullopt;
        }
        if (std::none_of(servers.begin(), servers.end(),
                         [&](const HostPort& s) { return SameServer(s, *server); }))
            servers.append(*server);
    }
    return servers;
}

std::optional<QStringList> ParseGameLines(const QString& text, QString& error) {
    QStringList games;
    for (const auto& [number, line] : FilledLines(text)) {
        QString reason;
        if (!CheckGameName(line, reason)) {
            error = OnLine(number, reason);
            return std::nullopt;
        }
        if (!games.contains(line))
            games.append(line);
    }
    return games;
}

QString ServerLinesText(const QList<HostPort>& servers) {
    QStringList lines;
    for (const HostPort& server : servers)
        lines << HostPortText(server);
    return lines.join(u'\n');
}
