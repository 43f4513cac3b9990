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

// HOST, HOST:PORT, [IPv6]:PORT, [IPv6] or a bare IPv6 address such as ::1; defaultPort when the
// text names none. The port lies in 1..65534, as the window accepts it. On failure, error holds a
// one-line reason.
std::optional<HostPort> ParseHostPort(const QString& text, int defaultPort, QString& error);

// The text ParseHostPort reads back: HOST:PORT, with an IPv6 address in brackets.
QString HostPortText(const HostPort& target);
