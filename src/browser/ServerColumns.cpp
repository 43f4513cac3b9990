#include "ServerColumns.h"

#include "ServerRow.h"

#include <QHostAddress>
#include <array>

namespace {

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

QString NameText(const ServerRow& row) {
    return row.answer ? row.answer->name : QString();
}

QString MapText(const ServerRow& row) {
    return row.answer ? row.answer->map : QString();
}

QString PlayersText(const ServerRow& row) {
    return row.answer
               ? QStringLiteral("%1/%2").arg(row.answer->currentPlayers).arg(row.answer->maxPlayers)
               : QString();
}

QString AddressText(const ServerRow& row) {
    return HostPortText(row.target);
}

QString SourceText(const ServerRow& row) {
    return SourcesText(row.sources);
}

QString ModText(const ServerRow& row) {
    return row.status ? row.status->mod : QString();
}

QString EngineText(const ServerRow& row) {
    return row.status ? row.status->engine : QString();
}

QString BuddiesText(const ServerRow& row) {
    return row.buddies;
}

QString LastSeenText(const ServerRow& row) {
    return row.lastSeen ? row.lastSeen->toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                        : QString();
}

// A column that sorts by its text.
template <QString (*Text)(const ServerRow&)> QVariant TextKey(const ServerRow& row) {
    return Text(row);
}

constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment Right = Qt::AlignRight | Qt::AlignVCenter;

// The sort keys of the columns from the answer are read only for a row that has one.
constexpr std::array<ServerColumnInfo, ServerColumnCount> Columns{{
    {NameColumn, "Name", 30, Left, NameText, TextKey<NameText>, true, false},
    {MapColumn, "Map", 10, Left, MapText, TextKey<MapText>, true, false},
    // By the current count; among equal counts, by the places.
    {PlayersColumn, "Players", 8, Right, PlayersText,
     [](const ServerRow& r) {
         return QVariant(r.answer->currentPlayers * 256 + r.answer->maxPlayers);
     },
     true, false},
    {PingColumn, "Ping", 12, Right, PingText,
     [](const ServerRow& r) { return QVariant(r.answer->ping.milliseconds); }, true, false},
    {AddressColumn, "Address", 24, Left, AddressText,
     [](const ServerRow& r) { return QVariant(AddressSortKey(r.target)); }, false, false},
    {SourceColumn, "Source", 16, Left, SourceText,
     [](const ServerRow& r) { return QVariant(int(r.sources.toInt())); }, false, false},
    {ModColumn, "Mod", 10, Left, ModText, TextKey<ModText>, true, true},
    {EngineColumn, "Engine", 20, Left, EngineText, TextKey<EngineText>, true, true},
    {BuddiesColumn, "Buddies", 16, Left, BuddiesText, TextKey<BuddiesText>, false, false},
    // When the history last saw the server answer; never before any time seen.
    {LastSeenColumn, "Last seen", 16, Left, LastSeenText,
     [](const ServerRow& r) { return QVariant(r.lastSeen ? r.lastSeen->toMSecsSinceEpoch() : -1); },
     false, true},
}};

constexpr bool EveryColumnInItsPlace() {
    for (int i = 0; i < ServerColumnCount; ++i)
        if (Columns[size_t(i)].column != i || Columns[size_t(i)].title == nullptr)
            return false;
    return true;
}
static_assert(EveryColumnInItsPlace(), "each column needs its entry, in the order of ServerColumn");

} // namespace

const ServerColumnInfo& ColumnInfo(int column) {
    return Columns[size_t(column)];
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
