#pragma once

#include <QString>
#include <optional>

// A server's ping in whole milliseconds, as every view shows it.
struct Ping {
    int milliseconds = 0;
    // The request was sent twice and the reply may answer either; timed from the second.
    bool afterResend = false;

    friend bool operator==(const Ping&, const Ping&) = default;
};

// "45", or "~45" for a ping after a resend, which may be a late answer to the first request.
QString PingText(const Ping& ping);
// Such a text read back; any other number is taken to the nearest whole millisecond. None for a
// text that is no number, or one too large for a ping.
std::optional<Ping> PingFromText(const QString& text);
