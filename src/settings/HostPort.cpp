#include "HostPort.h"

#include <QHostAddress>
#include <algorithm>

namespace {

bool IsNameCharacter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'-' || c == u'.';
}

bool IsIpv6(const QString& host) {
    QHostAddress address;
    return address.setAddress(host) && address.protocol() == QAbstractSocket::IPv6Protocol;
}

std::optional<int> ParsePort(const QString& text, QString& error) {
    bool ok = false;
    const int port = text.toInt(&ok, 10);
    // toInt takes a sign and surrounding blanks; a port is digits only.
    const bool digitsOnly = !text.isEmpty() && text.front().isDigit() && text.back().isDigit();
    if (!ok || !digitsOnly || port < LowestPort || port > HighestPort) {
        error = QStringLiteral("bad port \"%1\": give a number from %2 to %3")
                    .arg(text)
                    .arg(LowestPort)
                    .arg(HighestPort);
        return std::nullopt;
    }
    return port;
}

} // namespace

std::optional<HostPort> ParseHostPort(const QString& text, int defaultPort, QString& error,
                                      BareIpv6 bareIpv6) {
    HostPort target{QString(), defaultPort};
    std::optional<QString> portText;
    const bool bracketed = text.startsWith(u'[');
    if (bracketed) {
        const qsizetype close = text.indexOf(u']');
        const QString rest = close < 0 ? QString() : text.mid(close + 1);
        if (close < 0 || !(rest.isEmpty() || rest.startsWith(u':'))) {
            error = QStringLiteral("bad server \"%1\": write an IPv6 address with a port as "
                                   "[ADDRESS]:PORT")
                        .arg(text);
            return std::nullopt;
        }
        target.host = text.mid(1, close - 1);
        if (!rest.isEmpty())
            portText = rest.mid(1);
    } else if (text.count(u':') == 1) {
        const qsizetype colon = text.indexOf(u':');
        target.host = text.left(colon);
        portText = text.mid(colon + 1);
    } else {
        // No colon, or an IPv6 address without brackets, which then carries no port.
        target.host = text;
    }
    if (target.host.isEmpty()) {
        error = QStringLiteral("bad server \"%1\": no host").arg(text);
        return std::nullopt;
    }
    const bool isName = !target.host.startsWith(u'-') &&
                        std::all_of(target.host.begin(), target.host.end(), IsNameCharacter);
    const bool bareTaken = bareIpv6 == BareIpv6::Taken;
    if (bracketed ? !IsIpv6(target.host) : !isName && !(bareTaken && IsIpv6(target.host))) {
        error = QStringLiteral("\"%1\" is no host: give a name of letters, digits, hyphens and "
                               "dots, an IPv4 address or an IPv6 address in brackets")
                    .arg(text);
        return std::nullopt;
    }
    if (portText) {
        const std::optional<int> port = ParsePort(*portText, error);
        if (!port)
            return std::nullopt;
        target.port = *port;
    }
    return target;
}

QString HostPortText(const HostPort& target) {
    const QString host = target.host.contains(u':') ? u'[' + target.host + u']' : target.host;
    return host + u':' + QString::number(target.port);
}
