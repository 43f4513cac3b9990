#pragma once

#include <QHash>
#include <QHostAddress>
#include <QString>

// A UDP address and port: the key under which a reply is matched to the server or master that
// was asked. An IPv4-mapped IPv6 address is held as the IPv4 address it maps, so that a reply
// matches whichever socket it arrives on.
struct Endpoint {
    QHostAddress address;
    quint16 port = 0;

    static Endpoint Normalised(const QHostAddress& address, quint16 port);
    // "192.0.2.1:26000", or "[2001:db8::1]:26000" for IPv6.
    QString ToString() const;

    friend bool operator==(const Endpoint& a, const Endpoint& b) {
        return a.port == b.port && a.address == b.address;
    }
};

size_t qHash(const Endpoint& endpoint, size_t seed = 0);

// Loopback, private (RFC 1918, unique local), link-local, CGNAT and other addresses that are not
// reachable across the Internet. A master on a public address may not list such servers.
bool IsLocalAddress(const QHostAddress& address);
