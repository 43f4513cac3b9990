#include "ServerColumns.h"

#include "ServerRow.h"

#include <QHostAddress>
#include <array>

namespace {

const std::array<const char*, ServerColumnCount> Titles{"Name", "Map",     "Players",
                                                        "Ping", "Address", "Source"};

QString PingText(const ServerRow& row) {
    switch (row.state) {
    case RowState::Silent:
        return QStringLiteral("no reply");
    case RowState::NotFound:
        return QStringLiteral("not found");
    case RowState::Asking:
    case RowState::Answered:
        break;
    }
    return row.answer ? PingText(row.answer->ping) : QString();
}

// Addresses first, IPv4 before IPv6, each by its number; then host names, by their letters.
QString AddressSortKey(const HostPort& target) {
    const QString port = QStringLiteral(":%1").arg(target.port, 5, 10, QLatin1Char('0'));
    const QHostAddress address(target.host);
    if (address.protocol() == QAbstractSocket::IPv4Protocol)
        return QStringLiteral("0:%1").arg(address.toIPv4Address(), 8, 16, QLatin1Char('0')) + port;
    if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        const Q_IPV6ADDR bytes = address.toIPv6Address();
        return QStringLiteral("1:") +
               QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes.c), 16).toHex()) +
               port;
    }
    return QStringLiteral("2:") + target.host.toLower() + port;
}

} // namespace

QString ColumnTitle(int column) {
    return column >= 0 && column < ServerColumnCount ? QString::fromLatin1(Titles[column])
                                                     : QString();
}

QString CellText(const ServerRow& row, int column) {
    const ServerAnswer* answer = row.answer ? &*row.answer : nullptr;
    switch (column) {
    case NameColumn:
        return answer ? answer->name : QString();
    case MapColumn:
        return answer ? answer->map : QString();
    case PlayersColumn:
        return answer ? QStringLiteral("%1/%2").arg(answer->currentPlayers).arg(answer->maxPlayers)
                      : QString();
    case PingColumn:
        return PingText(row);
    case AddressColumn:
        return HostPortText(row.target);
    case SourceColumn:
        return SourcesText(row.sources);
    default:
        return {};
    }
}

QVariant CellSortKey(const ServerRow& row, int column) {
    if (FromAnswer(column) && !row.answer)
        return {};
    switch (column) {
    case NameColumn:
    case MapColumn:
        return CellText(row, column);
    case PlayersColumn:
        // By the current count; among equal counts, by the places.
        return row.answer->currentPlayers * 256 + row.answer->maxPlayers;
    case PingColumn:
        return row.answer->ping.milliseconds;
    case AddressColumn:
        return AddressSortKey(row.target);
    case SourceColumn:
        return int(row.sources.toInt());
    default:
        return {};
    }
}

bool FromAnswer(int column) {
    return column == NameColumn || column == MapColumn || column == PlayersColumn ||
           column == PingColumn;
}

QString RowToolTip(const ServerRow& row) {
    switch (row.state) {
    case RowState::Silent:
        return QStringLiteral("No reply to two requests");
    case RowState::NotFound:
        return QStringLiteral("The host could not be looked up");
    case RowState::Asking:
    case RowState::Answered:
        break;
    }
    return row.answer ? row.answer->address : QString();
}
