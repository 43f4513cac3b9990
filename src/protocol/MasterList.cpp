#include "MasterList.h"

#include <QtEndian>

namespace {

constexpr QByteArrayView ExtendedHeader("\xFF\xFF\xFF\xFFgetserversExtResponse");
constexpr QByteArrayView PlainHeader("\xFF\xFF\xFF\xFFgetserversResponse");
// dpmaster ends a list with a fake entry "EOT" and three zero bytes; FTE's master ends its one
// datagram with "\\EOT" alone, which is too short to be an entry.
constexpr QByteArrayView EndMark("\\EOT\0\0\0", 7);
constexpr QByteArrayView ShortEndMark("\\EOT");
constexpr qsizetype Ipv4EntryLength = 1 + 4 + 2;
constexpr qsizetype Ipv6EntryLength = 1 + 16 + 2;

quint16 PortAt(const char* p) {
    return qFromBigEndian<quint16>(p);
}

} // namespace

QByteArray MasterRequest(const QString& game, bool extended) {
    return QByteArray("\xFF\xFF\xFF\xFF") + (extended ? "getserversExt " : "getservers ") +
           game.toUtf8() + (extended ? " 3 empty full ipv4 ipv6" : " 3 empty full");
}

bool IsListable(const Endpoint& server, bool mayListLocal) {
    const QHostAddress& a = server.address;
    if (server.port == 0 || a.isNull() || a.isMulticast() || a.isBroadcast())
        return false;
    // 0.0.0.0/8 and :: name no host that a datagram could reach.
    if (a.protocol() == QAbstractSocket::IPv4Protocol ? (a.toIPv4Address() >> 24) == 0
                                                      : a == QHostAddress::AnyIPv6)
        return false;
    return mayListLocal || !IsLocalAddress(a);
}

MasterList::MasterList(bool mayListLocal, int requests)
    : mayListLocal(mayListLocal), requests(requests) {}

bool MasterList::Complete() const {
    return extendedEnds >= requests || plainEnds >= requests || servers.size() >= MaxServers;
}

void MasterList::Take(const Endpoint& server, Fed& fed) {
    if (IsListable(server, mayListLocal) && !servers.contains(server)) {
        servers.insert(server);
        fed.added.append(server);
    }
}

MasterList::Fed MasterList::Feed(QByteArrayView datagram) {
    Fed fed;
    const bool extended = datagram.startsWith(ExtendedHeader);
    if (!extended && !datagram.startsWith(PlainHeader))
        return fed;
    fed.answer = true;
    const char* d = datagram.data();
    const qsizetype size = datagram.size();
    qsizetype at = extended ? ExtendedHeader.size() : PlainHeader.size();
    while (at < size && servers.size() < MaxServers) {
        const QByteArrayView rest(d + at, size - at);
        if (rest.startsWith(EndMark) || rest == ShortEndMark) {
            ++(extended ? extendedEnds : plainEnds);
            break;
        }
        if (d[at] == '\\' && size - at >= Ipv4EntryLength) {
            Take({QHostAddress(qFromBigEndian<quint32>(d + at + 1)), PortAt(d + at + 5)}, fed);
            at += Ipv4EntryLength;
        } else if (d[at] == '/' && extended && size - at >= Ipv6EntryLength) {
            const auto* bytes = reinterpret_cast<const quint8*>(d + at + 1);
            Take(Endpoint::Normalised(QHostAddress(bytes), PortAt(d + at + 17)), fed);
            at += Ipv6EntryLength;
        } else {
            break;
        }
    }
    return fed;
}
