#pragma once

#include <QString>
#include <optional>

// A host name or address with its UDP port, as the user types it and as the lists of servers
// and masters store it.
struct HostPort {
    QString host;
    int port = 0;

    friend bool operator==(const HostPort&, const HostPort&) = default;
};

// The port of a Quake server when none is given.
inline constexpr int DefaultServerPort = 26000;
// Every UDP port but 0.
inline constexpr int LowestPort = 1;
inline constexpr int HighestPort = 65535;

// Whether a bare IPv6 address such as ::1 (which then carries no port) is taken.
enum class BareIpv6 { Taken, Refused };

// HOST, HOST:PORT, [IPv6]:PORT, [IPv6] or, when taken, a bare IPv6 address; defaultPort when the
// text names none. HOST is a name of letters, digits, hyphens and dots that does not start with a
// hyphen, or an IPv4 address. On failure, error holds a one-line reason.
std::optional<HostPort> ParseHostPort(const QString& text, int defaultPort, QString& error,
                                      BareIpv6 bareIpv6 = BareIpv6::Taken);

// The text ParseHostPort reads back: HOST:PORT, with an IPv6 address in brackets.
QString HostPortText(const HostPort& target);
