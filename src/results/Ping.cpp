#include "Ping.h"

QString PingText(const Ping& ping) {
    const QString number = QString::number(ping.milliseconds);
    return ping.afterResend ? u'~' + number : number;
}
