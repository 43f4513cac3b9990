// A master's answer, datagram by datagram, into one master's list.
//
// Input: a flags byte (bit 0: the master is on a local address; bits 1-2: games asked, 0 read as
// 1), then datagrams, each after its length as two big-endian bytes.

#include "FuzzInput.h"
#include "MasterList.h"

#include <QSet>
#include <QtEndian>

namespace {

// The entry as it stood in the datagram: an IPv4 server may have come as an IPv4-mapped IPv6.
bool StoodIn(QByteArrayView datagram, const Endpoint& server) {
    QByteArray port(2, '\0');
    qToBigEndian(server.port, port.data());
    // An IPv4 address as IPv6 is the mapped one, whose last four bytes are the IPv4 address.
    const Q_IPV6ADDR six = server.address.toIPv6Address();
    const QByteArray sixBytes(reinterpret_cast<const char*>(six.c), 16);
    return (server.address.protocol() == QAbstractSocket::IPv4Protocol &&
            datagram.indexOf('\\' + sixBytes.right(4) + port) >= 0) ||
           (datagram.startsWith("\xFF\xFF\xFF\xFFgetserversExtResponse") &&
            datagram.indexOf('/' + sixBytes + port) >= 0);
}

// Aborts unless the server is one a player may be sent to, as the datagram listed it, and new.
void RequireUsable(QByteArrayView datagram, const Endpoint& server, bool localMaster,
                   QSet<Endpoint>& seen) {
    const QHostAddress& a = server.address;
    const std::string text = server.ToString().toStdString();
    bool hasIpv4 = false;
    a.toIPv4Address(&hasIpv4);
    Require(server.port != 0 && !a.isNull() && a != QHostAddress::AnyIPv4 &&
                a != QHostAddress::AnyIPv6 && !a.isMulticast() && !a.isBroadcast(),
            "a server on port 0 or on no single address", text);
    Require(a.protocol() == QAbstractSocket::IPv4Protocol || !hasIpv4,
            "an IPv4-mapped address kept as IPv6", text);
    Require(localMaster || !IsLocalAddress(a), "a local server from a public master", text);
    Require(StoodIn(datagram, server), "a server that the datagram does not list", text);
    Require(!seen.contains(server), "a server added twice", text);
    seen.insert(server);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InputBytes input(data, size);
    const std::uint8_t flags = input.Byte();
    const bool localMaster = flags & 1;
    MasterList list(localMaster, qMax(1, (flags >> 1) & 3));
    QSet<Endpoint> seen;
    while (!input.Empty()) {
        const std::size_t length = std::size_t(input.Byte()) << 8 | input.Byte();
        const std::string_view bytes = input.Bytes(length);
        const QByteArrayView datagram(bytes.data(), qsizetype(bytes.size()));
        const bool wasComplete = list.Complete();
        const MasterList::Fed fed = list.Feed(datagram);
        Require(!wasComplete || list.Complete(), "a complete list became incomplete");
        for (const Endpoint& server : fed.added)
            RequireUsable(datagram, server, localMaster, seen);
        Require(seen.size() <= MasterList::MaxServers, "more servers than the bound");
        Require(list.Count() == seen.size(), "the count disagrees with the servers added");
    }
    return 0;
}
