#include "Endpoint.h"

#include <QList>
#include <QPair>
#include <algorithm>

namespace {

// ::ffff:a.b.c.d, the form in which a dual-stack socket reports an IPv4 sender.
bool IsIpv4Mapped(const Q_IPV6ADDR& bytes) {
    return std::all_of(bytes.c, bytes.c + 10, [](quint8 b) { return b == 0; }) &&
           bytes[10] == 0xff && bytes[11] == 0xff;
}

const QList<QPair<QHostAddress, int>>& LocalNetworks() {
    static const QList<QPair<QHostAddress, int>> networks = [] {
        QList<QPair<QHostAddress, int>> list;
        for (const char* text :
             {"0.0.0.0/8", "10.0.0.0/8", "100.64.0.0/10", "127.0.0.0/8", "169.254.0.0/16",
              "172.16.0.0/12", "192.0.0.0/24", "192.168.0.0/16", "198.18.0.0/15", "240.0.0.0/4",
              "::/128", "::1/128", "fc00::/7", "fe80::/10", "fec0::/10"})
            list.append(QHostAddress::parseSubnet(QString::fromLatin1(text)));
        return list;
    }();
    return networks;
}

} // namespace

Endpoint Endpoint::Normalised(const QHostAddress& address, quint16 port) {
    if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        const Q_IPV6ADDR bytes = address.toIPv6Address();
        if (IsIpv4Mapped(bytes))
            return {QHostAddress(quint32(bytes[12]) << 24 | quint32(bytes[13]) << 16 |
                                 quint32(bytes[14]) << 8 | bytes[15]),
                    port};
    }
    return {address, port};
}

QString Endpoint::ToString() const {
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? QLatin1Char('[') + address.toString() + QLatin1Char(']')
                             : address.toString();
    return host + QLatin1Char(':') + QString::number(port);
}

size_t qHash(const Endpoint& endpoint, size_t seed) {
    return qHashMulti(seed, endpoint.address, endpoint.port);
}

bool IsLocalAddress(const QHostAddress& address) {
    const QHostAddress normal = Endpoint::Normalised(address, 0).address;
    const auto& networks = LocalNetworks();
    return std::any_of(networks.begin(), networks.end(),
                       [&](const QPair<QHostAddress, int>& n) { return normal.isInSubnet(n); });
}
