#pragma once

#include <QString>
#include <optional>

struct ServerTarget {
    QString host;
    int port = 26000;
};

// HOST, HOST:PORT, [IPv6]:PORT, [IPv6] or a bare IPv6 address such as ::1. The port lies in
// 1..65534, as the window accepts it. On failure, error holds a one-line reason.
std::optional<ServerTarget> ParseServerTarget(const QString& text, QString& error);
