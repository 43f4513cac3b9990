#include "Ping.h"

#include <cmath>
#include <limits>

QString PingText(const Ping& ping) {
    const QString number = QString::number(ping.milliseconds);
    return ping.afterResend ? u'~' + number : number;
}

std::optional<Ping> PingFromText(const QString& text) {
    const QString trimmed = text.trimmed();
    const bool afterResend = trimmed.startsWith(u'~');
    bool ok = false;
    const double milliseconds = trimmed.mid(afterResend ? 1 : 0).toDouble(&ok);
    // Also refuses infinity and not-a-number.
    if (!ok || !(std::abs(milliseconds) < std::numeric_limits<int>::max()))
        return std::nullopt;
    return Ping{qRound(milliseconds), afterResend};
}
