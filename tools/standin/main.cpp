// vantrel-standin: a local NetQuake server that answers the control requests, and getinfo and
// getstatus as a public QuakeSpasm-Spiked server unless told to be a plain one, or many of them on
// consecutive ports, for demos and benchmarks. It listens on one address only (loopback unless
// told) and runs until killed.
#include "DemoConfig.h"
#include "QuakeServerStandIn.h"
#include "StandInFarm.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <optional>
#include <utility>

namespace {

// Names are taken as Latin-1 so that every character up to U+00FF gives the one byte of the
// game's 8-bit character set with that number.
std::optional<StandInPlayer> ParsePlayer(const QString& text) {
    const QStringList parts = text.split(':');
    if (parts.size() < 4)
        return std::nullopt;
    bool shirtOk = false, pantsOk = false, fragsOk = false;
    StandInPlayer player;
    player.name = parts.mid(0, parts.size() - 3).join(':').toLatin1();
    player.shirt = parts[parts.size() - 3].toInt(&shirtOk);
    player.pants = parts[parts.size() - 2].toInt(&pantsOk);
    player.frags = parts[parts.size() - 1].toInt(&fragsOk);
    if (!shirtOk || !pantsOk || !fragsOk)
        return std::nullopt;
    return player;
}

std::optional<StandInRule> ParseRule(const QString& text) {
    const qsizetype equals = text.indexOf('=');
    if (equals <= 0)
        return std::nullopt;
    return StandInRule{text.left(equals).toLatin1(), text.mid(equals + 1).toLatin1()};
}

int Fail(const QString& message) {
    std::fprintf(stderr, "vantrel-standin: %s\n", qPrintable(message));
    return 1;
}

// "SECONDS:name:shirt:pants:frags"
std::optional<std::pair<int, StandInPlayer>> ParseArrival(const QString& text) {
    bool ok = false;
    const int seconds = text.section(':', 0, 0).toInt(&ok);
    const std::optional<StandInPlayer> player = ParsePlayer(text.section(':', 1));
    if (!ok || seconds < 0 || !player)
        return std::nullopt;
    return std::pair{seconds, *player};
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("vantrel-standin");

    QCommandLineParser parser;
    parser.setApplicationDescription("A local NetQuake server that answers the control requests.");
    parser.addHelpOption();
    const QCommandLineOption host("host", "Address to listen on.", "address", "127.0.0.1");
    const QCommandLineOption port("port", "UDP port.", "port", "26000");
    const QCommandLineOption name("name", "Server name.", "text", "Vantrel stand-in");
    const QCommandLineOption map("map", "Map name.", "text", "e1m1");
    const QCommandLineOption max("max", "Maximum players (default 16, or more players).", "n");
    const QCommandLineOption players("players", "Generate n demo players.", "n", "0");
    const QCommandLineOption rules("rules", "Generate n demo rules.", "n", "0");
    const QCommandLineOption player("player", "Add a player (repeatable).",
                                    "name:shirt:pants:frags");
    const QCommandLineOption rule("rule", "Add a rule (repeatable).", "name=value");
    const QCommandLineOption quiet("quiet", "Do not print each request.");
    const QCommandLineOption count(
        "count",
        "Serve n demo servers of varied names, maps and players on port, port+1, ... (keep them "
        "below the ephemeral ports, 32768 on Linux, which the servers' second sockets take).",
        "n", "1");
    const QCommandLineOption silentEvery(
        "silent-every", "With --count, every k-th server answers nothing.", "k", "0");
    const QCommandLineOption hold("hold-ms",
                                  "Hold each reply ms before sending it, and print a line "
                                  "\"held PORT CLIENT MS\" with the time it was held.",
                                  "ms", "0");
    const QCommandLineOption populated(
        "populated",
        "With --count, only n of the answering servers have players, 1 to 16 each, spread over "
        "the ports; the others are empty.",
        "n");
    const QCommandLineOption plain(
        "plain",
        "Answer as a plain NetQuake server (Quakespasm): no getinfo or getstatus answers.");
    const QCommandLineOption churn(
        "churn", "Every so many seconds a player joins or leaves (the same way every run).",
        "seconds", "0");
    const QCommandLineOption hostile(
        "hostile-status",
        "Answer getstatus and getinfo with broken and hostile status answers, one kind in turn.");
    const QCommandLineOption arriving("arriving",
                                      "A player who joins after so many seconds and stays "
                                      "(repeatable).",
                                      "seconds:name:shirt:pants:frags");
    parser.addOptions({host, port, name, map, max, players, rules, player, rule, quiet, count,
                       silentEvery, hold, populated, plain, churn, hostile, arriving});
    parser.process(app);

    const QHostAddress address(parser.value(host));
    bool portOk = false, playersOk = false, rulesOk = false, maxOk = true, countOk = false,
         silentOk = false, holdOk = false;
    const uint portNumber = parser.value(port).toUInt(&portOk);
    const int playerCount = parser.value(players).toInt(&playersOk);
    const int ruleCount = parser.value(rules).toInt(&rulesOk);
    const int serverCount = parser.value(count).toInt(&countOk);
    const int silentInterval = parser.value(silentEvery).toInt(&silentOk);
    const int holdMs = parser.value(hold).toInt(&holdOk);
    bool churnOk = false, populatedOk = true;
    const int churnSeconds = parser.value(churn).toInt(&churnOk);
    const int populatedCount =
        parser.isSet(populated) ? parser.value(populated).toInt(&populatedOk) : -1;
    if (address.isNull())
        return Fail("not an address: " + parser.value(host));
    if (!portOk || portNumber > 65535 || !playersOk || playerCount < 0 || !rulesOk || ruleCount < 0)
        return Fail("--port, --players and --rules take a number");
    if (!countOk || serverCount < 1 || !silentOk || silentInterval < 0 || !holdOk || holdMs < 0)
        return Fail("--count, --silent-every and --hold-ms take a number");
    if (!churnOk || churnSeconds < 0 || !populatedOk ||
        (parser.isSet(populated) && populatedCount < 0))
        return Fail("--churn and --populated take a number");
    ServerBehaviour behaviour;
    behaviour.plain = parser.isSet(plain);
    behaviour.churnSeconds = churnSeconds;
    behaviour.hostileStatus = parser.isSet(hostile);
    behaviour.holdMs = holdMs;
    behaviour.quiet = parser.isSet(quiet);
    if (serverCount > 1) {
        if (portNumber == 0 || portNumber + uint(serverCount) - 1 > 65535)
            return Fail("--count needs a port with room for that many after it");
        for (const QCommandLineOption& single : {name, map, max, players, player, arriving}) {
            if (parser.isSet(single))
                return Fail("--" + single.names().constFirst() +
                            " describes one server; --count serves demo servers");
        }
        return ServeMany({address, portNumber, serverCount, silentInterval, populatedCount,
                          ruleCount, behaviour});
    }
    if (parser.isSet(populated))
        return Fail("--populated is for --count");

    StandInConfig config;
    config.serverName = parser.value(name).toLatin1();
    config.mapName = parser.value(map).toLatin1();
    config.players = DemoPlayers(playerCount);
    config.rules = DemoRules(ruleCount);
    for (const QString& text : parser.values(player)) {
        const std::optional<StandInPlayer> parsed = ParsePlayer(text);
        if (!parsed)
            return Fail("--player takes name:shirt:pants:frags, not " + text);
        config.players.append(*parsed);
    }
    for (const QString& text : parser.values(rule)) {
        const std::optional<StandInRule> parsed = ParseRule(text);
        if (!parsed)
            return Fail("--rule takes name=value, not " + text);
        config.rules.append(*parsed);
    }
    const uint maxPlayers = parser.isSet(max) ? parser.value(max).toUInt(&maxOk)
                                              : uint(qMax(16, int(config.players.size())));
    if (!maxOk || maxPlayers > 255)
        return Fail("--max takes a number up to 255");
    config.maxPlayers = quint8(maxPlayers);

    QuakeServerStandIn server(config);
    if (!server.Start(address, quint16(portNumber)))
        return Fail(QString("cannot listen on %1:%2").arg(address.toString()).arg(portNumber));

    for (const QString& text : parser.values(arriving)) {
        const std::optional<std::pair<int, StandInPlayer>> arrival = ParseArrival(text);
        if (!arrival)
            return Fail("--arriving takes seconds:name:shirt:pants:frags, not " + text);
        QTimer::singleShot(arrival->first * 1000, &server, [&server, player = arrival->second] {
            server.Config().players.append(player);
        });
    }

    QTextStream out(stdout);
    Behave(server, behaviour, quint32(portNumber), out, {});
    out << "vantrel-standin listening on " << server.Address().toString() << ':' << server.Port()
        << " with " << config.players.size() << " players and " << config.rules.size() << " rules"
        << Qt::endl;
    return app.exec();
}
