#pragma once

#include <QString>

// A server's ping in whole milliseconds, as every view shows it.
struct Ping {
    int milliseconds = 0;
    // The request was sent twice and the reply may answer either; timed from the second.
    bool afterResend = false;
};

// "45", or "~45" for a ping after a resend, which may be a late answer to the first request.
QString PingText(const Ping& ping);
