// vantrel-master: a local master server of the dpmaster protocol that lists the servers it is
// given, for demos and benchmarks. It listens on one address only (loopback unless told) and
// runs until killed.
#include "MasterServerStandIn.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <optional>

namespace {

// HOST:PORT or HOST:FIRST-LAST, the host an IPv4 address or an IPv6 address in brackets.
std::optional<QList<MasterEntry>> ParseServers(const QString& text) {
    const qsizetype colon = text.lastIndexOf(':');
    if (colon <= 0)
        return std::nullopt;
    QString host = text.left(colon);
    if (host.startsWith('[') && host.endsWith(']'))
        host = host.mid(1, host.size() - 2);
    else if (host.contains(':'))
        return std::nullopt;
    const QHostAddress address(host);
    const QStringList ports = text.mid(colon + 1).split('-');
    bool firstOk = false, lastOk = false;
    const uint first = ports.value(0).toUInt(&firstOk);
    const uint last = ports.size() == 2 ? ports[1].toUInt(&lastOk) : (lastOk = true, first);
    if (address.isNull() || ports.size() > 2 || !firstOk || !lastOk || first == 0 || last < first ||
        last > 65535)
        return std::nullopt;
    QList<MasterEntry> servers;
    for (uint port = first; port <= last; ++port)
        servers.append({address, quint16(port)});
    return servers;
}

// Requests are mostly text; the rest is shown as \xNN.
QByteArray Printable(const QByteArray& bytes) {
    QByteArray text;
    for (const char c : bytes) {
        if (c >= ' ' && c <= '~' && c != '\\')
            text.append(c);
        else
            text.append("\\x" + QByteArray::number(quint8(c), 16).rightJustified(2, '0'));
    }
    return text;
}

int Fail(const QString& message) {
    std::fprintf(stderr, "vantrel-master: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("vantrel-master");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "A local master server of the dpmaster protocol that lists the servers it is given.");
    parser.addHelpOption();
    const QCommandLineOption host("host", "Address to listen on.", "address", "127.0.0.1");
    const QCommandLineOption port("port", "UDP port.", "port", "27950");
    const QCommandLineOption game("game", "Game name it answers for.", "name", "FTE-Quake");
    const QCommandLineOption protocol("protocol", "Protocol number it answers for.", "n", "3");
    const QCommandLineOption server(
        {"server", "servers"},
        "List a server, or a range of ports on one address (repeatable); IPv6 in brackets.",
        "host:port[-last]");
    const QCommandLineOption perDatagram("per-datagram", "Servers per answer datagram.", "n", "72");
    const QCommandLineOption quiet("quiet", "Do not print each request.");
    const QCommandLineOption fteEnd(
        "fte-end", "End each list as FTE's master does: one datagram, \"\\EOT\" without zeros.");
    parser.addOptions({host, port, game, protocol, server, perDatagram, quiet, fteEnd});
    parser.process(app);

    const QHostAddress address(parser.value(host));
    bool portOk = false, protocolOk = false, perDatagramOk = false;
    const uint portNumber = parser.value(port).toUInt(&portOk);
    const int protocolNumber = parser.value(protocol).toInt(&protocolOk);
    const int entries = parser.value(perDatagram).toInt(&perDatagramOk);
    if (address.isNull())
        return Fail("not an address: " + parser.value(host));
    if (!portOk || portNumber > 65535 || !protocolOk || !perDatagramOk || entries < 1)
        return Fail("--port, --protocol and --per-datagram take a number");

    MasterServerStandIn master;
    master.GameName() = parser.value(game).toLatin1();
    master.Protocol() = protocolNumber;
    master.EntriesPerDatagram() = entries;
    master.Faults().shortEndMark = parser.isSet(fteEnd);
    for (const QString& text : parser.values(server)) {
        const std::optional<QList<MasterEntry>> parsed = ParseServers(text);
        if (!parsed)
            return Fail("--server takes host:port or host:first-last, not " + text);
        master.Servers().append(*parsed);
    }
    if (!master.Start(address, quint16(portNumber)))
        return Fail(QString("cannot listen on %1:%2").arg(address.toString()).arg(portNumber));

    QTextStream out(stdout);
    out << "vantrel-master listening on " << master.Address().toString() << ':' << master.Port()
        << " for " << master.GameName() << ' ' << master.Protocol() << " with "
        << master.Servers().size() << " servers" << Qt::endl;
    if (!parser.isSet(quiet)) {
        QObject::connect(&master, &MasterServerStandIn::RequestReceived,
                         [&](const QByteArray& request) { out << Printable(request) << Qt::endl; });
    }
    return app.exec();
}
