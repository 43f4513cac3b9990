#include "CommandLine.h"

#include "HistoryStore.h"
#include "ServerListText.h"
#include "ServerLists.h"
#include "Settings.h"

#include <QCommandLineParser>

namespace {

struct Range {
    int lowest;
    int highest;
};
// The ranges the Options dialog accepts for the timeout and the intervals.
constexpr Range TimeoutRange{1, 120};
constexpr Range EveryRange{1, 6000};
constexpr Range WatchEveryRange{ShortestWatchSeconds, LongestWatchSeconds};
// A player count fits the server's byte.
constexpr Range PlayersRange{1, 255};
constexpr Range CountRange{1, 1000000};
constexpr Range DaysRange{1, HistoryStore::HourlyDays};

std::optional<int> Whole(const QCommandLineParser& parser, const QCommandLineOption& option,
                         Range range, QString& error, const char* unit = "seconds") {
    const QString text = parser.value(option);
    bool ok = false;
    const int number = text.toInt(&ok, 10);
    if (!ok || number < range.lowest || number > range.highest) {
        error = QStringLiteral("bad --%1 \"%2\": give whole %3 from %4 to %5")
                    .arg(option.names().constFirst(), text, QLatin1String(unit))
                    .arg(range.lowest)
                    .arg(range.highest);
        return std::nullopt;
    }
    return number;
}

CommandLine Refused(CommandLine line, const QString& error) {
    line.action = CommandLine::Action::Refuse;
    line.error = error;
    return line;
}

// QCommandLineParser has no option whose value may be left out: a bare --master becomes
// --master= with an empty value, which stands for the default masters.
QStringList WithBareMastersMarked(QStringList arguments) {
    for (QString& argument : arguments) {
        if (argument == QLatin1String("--master"))
            argument += u'=';
    }
    return arguments;
}

std::optional<QList<HostPort>> HostPorts(const QStringList& texts, int defaultPort, QString& error,
                                         BareIpv6 bareIpv6 = BareIpv6::Taken) {
    QList<HostPort> list;
    for (const QString& text : texts) {
        const std::optional<HostPort> target = ParseHostPort(text, defaultPort, error, bareIpv6);
        if (!target)
            return std::nullopt;
        list << *target;
    }
    return list;
}

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    const Settings defaults = DefaultSettings();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Queries a Quake (NetQuake) server for its name, map, players and rules."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption raw(QStringLiteral("raw"),
                                 QStringLiteral("Show names as the bytes the server sent, read "
                                                "as Latin-1, instead of converted to ASCII."));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Print one JSON document instead of text."));
    const QCommandLineOption timeout(
        QStringLiteral("timeout"),
        QStringLiteral("Give up after <seconds> (1 to 120, default %1).").arg(defaults.timeout),
        QStringLiteral("seconds"), QString::number(defaults.timeout));
    const QCommandLineOption noRules(QStringLiteral("no-rules"),
                                     QStringLiteral("Do not ask for the rules."));
    const QCommandLineOption noPlayers(QStringLiteral("no-players"),
                                       QStringLiteral("Do not print the players."));
    const QCommandLineOption scripts(
        QStringLiteral("scripts"),
        QStringLiteral("Also write the name trickery scripts into <gamefolder>'s ID1 folder."),
        QStringLiteral("gamefolder"));
    const QCommandLineOption name(
        QStringLiteral("name"),
        QStringLiteral("Your own player name in the scripts (default \"%1\").")
            .arg(defaults.quakename),
        QStringLiteral("name"), defaults.quakename);
    const QCommandLineOption every(
        QStringLiteral("every"),
        QStringLiteral("Query again every <seconds> (1 to 6000) until interrupted."),
        QStringLiteral("seconds"));
    const QCommandLineOption master(
        QStringLiteral("master"),
        QStringLiteral("Also list the servers of master <host[:port]> (repeatable; port 27950 by "
                       "default; an IPv6 address in brackets). A bare --master asks the default "
                       "masters."),
        QStringLiteral("host[:port]"));
    const QCommandLineOption game(
        QStringLiteral("game"),
        QStringLiteral("Ask the masters for game <name> (repeatable; default %1).")
            .arg(DefaultGames().join(QStringLiteral(", "))),
        QStringLiteral("name"));
    const QCommandLineOption watch(
        QStringLiteral("watch"),
        QStringLiteral("Watch the servers until interrupted: one line per buddy who joins or "
                       "leaves and per player count reached. Needs --buddy or --min-players; "
                       "--every is then %1 to %2 seconds, default %3.")
            .arg(ShortestWatchSeconds)
            .arg(LongestWatchSeconds)
            .arg(defaults.watchseconds));
    const QCommandLineOption buddy(
        QStringLiteral("buddy"),
        QStringLiteral("With --watch: tell when a player whose name contains <name> joins or "
                       "leaves (repeatable; any letter case, the game's characters as ASCII)."),
        QStringLiteral("name"));
    const QCommandLineOption minPlayers(
        QStringLiteral("min-players"),
        QStringLiteral("With --watch: tell when a server's player count reaches <n>."),
        QStringLiteral("n"));
    const QCommandLineOption count(QStringLiteral("count"),
                                   QStringLiteral("With --watch: stop after <n> refreshes."),
                                   QStringLiteral("n"));
    const QCommandLineOption history(
        QStringLiteral("history"),
        QStringLiteral("Print what the history kept of server <host[:port]>: its busy hours and "
                       "its hours of the last days, asking nothing."),
        QStringLiteral("host[:port]"));
    const QCommandLineOption days(
        QStringLiteral("days"),
        QStringLiteral("With --history: the hours of the last <n> days (1 to %1, default %2).")
            .arg(DaysRange.highest)
            .arg(HistoryOptions{}.days),
        QStringLiteral("n"));
    const QCommandLineOption historyExport(
        QStringLiteral("history-export"),
        QStringLiteral("Write every server's hours that the history kept into <file> as CSV."),
        QStringLiteral("file"));
    parser.addOptions({raw, json, timeout, noRules, noPlayers, scripts, name, every, master, game,
                       watch, buddy, minPlayers, count, history, days, historyExport});
    parser.addPositionalArgument(
        QStringLiteral("server"),
        QStringLiteral("The servers: HOST, HOST:PORT, [IPv6]:PORT or a bare IPv6 address (port "
                       "26000 by default). One server is asked for everything; several, or any "
                       "with --master, for their server info only."),
        QStringLiteral("HOST[:PORT]..."));

    CommandLine line;
    line.usage = parser.helpText();
    if (!parser.parse(WithBareMastersMarked(arguments)))
        return Refused(line, parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        line.action = CommandLine::Action::Help;
        return line;
    }
    if (parser.isSet(version)) {
        line.action = CommandLine::Action::Version;
        return line;
    }

    QString error;
    const std::optional<QList<HostPort>> servers =
        HostPorts(parser.positionalArguments(), DefaultServerPort, error);
    QStringList masterTexts = parser.values(master);
    const bool defaultMasters = masterTexts.removeAll(QString()) > 0;
    std::optional<QList<HostPort>> masters =
        HostPorts(masterTexts, DefaultMasterPort, error, BareIpv6::Refused);
    if (!servers || !masters)
        return Refused(line, error);
    if (defaultMasters)
        *masters << DefaultMasters();
    const std::optional<int> timeoutSeconds = Whole(parser, timeout, TimeoutRange, error);
    if (!timeoutSeconds)
        return Refused(line, error);
    const bool exporting = parser.isSet(historyExport);
    if (parser.isSet(history) || exporting) {
        if (!servers->isEmpty() || !masters->isEmpty() || parser.isSet(watch))
            return Refused(line, QStringLiteral("the history goes without other servers"));
        if (parser.isSet(history) && exporting)
            return Refused(line, QStringLiteral("--history-export does not go with --history"));
        HistoryOptions& h = line.history;
        h.json = parser.isSet(json);
        h.exportFile = parser.value(historyExport);
        if (exporting) {
            if (h.exportFile.isEmpty())
                return Refused(line, QStringLiteral("--history-export needs a file"));
            line.action = CommandLine::Action::HistoryExport;
            return line;
        }
        const std::optional<HostPort> server =
            ParseHostPort(parser.value(history), DefaultServerPort, error);
        const std::optional<int> shown =
            parser.isSet(days) ? Whole(parser, days, DaysRange, error, "days") : h.days;
        if (!server || !shown)
            return Refused(line, error);
        h.server = *server;
        h.days = *shown;
        line.action = CommandLine::Action::History;
        return line;
    }
    if (parser.isSet(days))
        return Refused(line, QStringLiteral("--days needs --history"));
    if (servers->isEmpty() && masters->isEmpty())
        return Refused(line, QStringLiteral("no server given"));
    if (parser.isSet(game) && masters->isEmpty())
        return Refused(line, QStringLiteral("--game needs --master"));
    for (const QString& name : parser.values(game)) {
        if (!CheckGameName(name, error))
            return Refused(line, QStringLiteral("bad --game: ") + error);
    }
    if (parser.isSet(watch)) {
        WatchOptions& w = line.watch;
        w = {*servers, *masters, parser.values(game), parser.values(buddy)};
        w.raw = parser.isSet(raw);
        w.json = parser.isSet(json);
        if (w.games.isEmpty())
            w.games = DefaultGames();
        const std::optional<int> players =
            parser.isSet(minPlayers) ? Whole(parser, minPlayers, PlayersRange, error, "players")
                                     : 0;
        const std::optional<int> refreshes =
            parser.isSet(count) ? Whole(parser, count, CountRange, error, "refreshes") : 0;
        const std::optional<int> seconds = parser.isSet(every)
                                               ? Whole(parser, every, WatchEveryRange, error)
                                               : defaults.watchseconds;
        if (!players || !refreshes || !seconds)
            return Refused(line, error);
        w.minPlayers = *players;
        w.count = *refreshes;
        w.every = *seconds;
        if (w.buddies.contains(QString()))
            return Refused(line, QStringLiteral("--buddy needs a name"));
        if (w.buddies.isEmpty() && w.minPlayers == 0)
            return Refused(line, QStringLiteral("--watch needs --buddy or --min-players"));
        if (parser.isSet(scripts))
            return Refused(line, QStringLiteral("--scripts does not go with --watch"));
        line.action = CommandLine::Action::Watch;
        return line;
    }
    for (const QCommandLineOption& watching : {buddy, minPlayers, count}) {
        if (parser.isSet(watching))
            return Refused(line,
                           QStringLiteral("--%1 needs --watch").arg(watching.names().constFirst()));
    }
    if (servers->size() > 1 || !masters->isEmpty()) {
        for (const QCommandLineOption& single : {scripts, name, every}) {
            if (parser.isSet(single)) {
                return Refused(line, QStringLiteral("--%1 takes exactly one server")
                                         .arg(single.names().constFirst()));
            }
        }
        line.refresh = {*servers,          *masters,           parser.values(game),
                        parser.isSet(raw), parser.isSet(json), *timeoutSeconds};
        if (line.refresh.games.isEmpty())
            line.refresh.games = DefaultGames();
        line.action = CommandLine::Action::Refresh;
        return line;
    }
    QueryOptions& o = line.options;
    o.target = servers->constFirst();
    o.raw = parser.isSet(raw);
    o.json = parser.isSet(json);
    o.noRules = parser.isSet(noRules);
    o.noPlayers = parser.isSet(noPlayers);
    o.timeout = *timeoutSeconds;
    if (parser.isSet(every)) {
        const std::optional<int> everySeconds = Whole(parser, every, EveryRange, error);
        if (!everySeconds)
            return Refused(line, error);
        o.every = *everySeconds;
    }
    if (parser.isSet(name) && !parser.isSet(scripts))
        return Refused(line, QStringLiteral("--name needs --scripts"));
    if (parser.isSet(scripts)) {
        o.gameFolder = parser.value(scripts);
        if (o.gameFolder.isEmpty())
            return Refused(line, QStringLiteral("--scripts needs a game folder"));
    }
    o.quakename = parser.value(name);
    line.action = CommandLine::Action::Query;
    return line;
}
