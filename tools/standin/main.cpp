// vantrel-standin: a local NetQuake server that answers the control requests, or many of them on
// consecutive ports, for demos and benchmarks. It listens on one address only (loopback unless
// told) and runs until killed.
#include "DemoConfig.h"
#include "OpenFileLimit.h"
#include "QuakeServerStandIn.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <optional>

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

void PrintRequests(QuakeServerStandIn& server, QTextStream& out, const QByteArray& prefix) {
    QObject::connect(&server, &QuakeServerStandIn::RequestReceived,
                     [&server, &out, prefix](const QByteArray& request) {
                         out << prefix << server.LastSenderAddress().toString() << ':'
                             << server.LastSenderPort() << ' ' << request.toHex(' ') << Qt::endl;
                     });
}

// With a hold, each reply is reported as "held PORT CLIENT MS": how long after its request
// arrived it went out, for benchmarks that compare a client's ping with the time the server took.
void HoldReplies(QuakeServerStandIn& server, int holdMs, QTextStream& out) {
    if (holdMs <= 0)
        return;
    server.Faults().delayMs = holdMs;
    QObject::connect(&server, &QuakeServerStandIn::ReplySent,
                     [&server, &out](const QHostAddress& address, quint16 port, qint64 heldNs) {
                         out << "held " << server.Port() << ' ' << address.toString() << ':' << port
                             << ' ' << QString::number(heldNs / 1e6, 'f', 3) << Qt::endl;
                     });
}

// Serves count demo servers from port on; every silentEvery-th of them (0: none) has a socket
// but answers nothing, as a server behind a firewall.
int ServeMany(const QHostAddress& address, uint port, int count, int silentEvery, int ruleCount,
              int holdMs, bool quiet) {
    const int silent = silentEvery > 0 ? count / silentEvery : 0;
    // Each answering server has two sockets, each silent one one; a few more for Qt itself.
    const qint64 needed = 2 * qint64(count - silent) + silent + 32;
    const long limit = RaiseOpenFileLimit();
    if (limit >= 0 && needed > limit)
        return Fail(QString("%1 servers need %2 open files; the limit is %3")
                        .arg(count)
                        .arg(needed)
                        .arg(limit));

    QTextStream out(stdout);
    for (int i = 0; i < count; ++i) {
        const quint16 serverPort = quint16(port + uint(i));
        bool started = false;
        if (silentEvery > 0 && (i + 1) % silentEvery == 0) {
            started = (new QUdpSocket(qApp))->bind(address, serverPort);
        } else {
            auto* server = new QuakeServerStandIn(DemoServer(i, ruleCount), qApp);
            started = server->Start(address, serverPort);
            HoldReplies(*server, holdMs, out);
            if (!quiet)
                PrintRequests(*server, out, QByteArray::number(serverPort) + " < ");
        }
        if (!started)
            return Fail(QString("cannot listen on %1:%2").arg(address.toString()).arg(serverPort));
    }
    out << "vantrel-standin listening on " << address.toString() << ':' << port << '-'
        << port + uint(count) - 1 << " with " << count << " servers, " << silent
        << " of them silent" << Qt::endl;
    return QCoreApplication::exec();
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
    parser.addOptions({host, port, name, map, max, players, rules, player, rule, quiet, count,
                       silentEvery, hold});
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
    if (address.isNull())
        return Fail("not an address: " + parser.value(host));
    if (!portOk || portNumber > 65535 || !playersOk || playerCount < 0 || !rulesOk || ruleCount < 0)
        return Fail("--port, --players and --rules take a number");
    if (!countOk || serverCount < 1 || !silentOk || silentInterval < 0 || !holdOk || holdMs < 0)
        return Fail("--count, --silent-every and --hold-ms take a number");
    if (serverCount > 1) {
        if (portNumber == 0 || portNumber + uint(serverCount) - 1 > 65535)
            return Fail("--count needs a port with room for that many after it");
        for (const QCommandLineOption& single : {name, map, max, players, player}) {
            if (parser.isSet(single))
                return Fail("--" + single.names().constFirst() +
                            " describes one server; --count serves demo servers");
        }
        return ServeMany(address, portNumber, serverCount, silentInterval, ruleCount, holdMs,
                         parser.isSet(quiet));
    }

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

    QTextStream out(stdout);
    HoldReplies(server, holdMs, out);
    out << "vantrel-standin listening on " << server.Address().toString() << ':' << server.Port()
        << " with " << config.players.size() << " players and " << config.rules.size() << " rules"
        << Qt::endl;
    if (!parser.isSet(quiet))
        PrintRequests(server, out, {});
    return app.exec();
}
