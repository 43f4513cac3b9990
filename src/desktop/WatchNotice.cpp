#include "WatchNotice.h"

#include "QuakeToAscii.h"

namespace {

// A desktop's font has none of the game's graphic characters, and a summary is one line.
QString PlainLine(const QByteArray& text) {
    QByteArray plain(text.size(), ' ');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = QuakeToAsciiByte(static_cast<unsigned char>(text[i]));
        plain[i] = c >= ' ' && c != '\x7f' ? c : ' ';
    }
    return QString::fromLatin1(plain).simplified();
}

} // namespace

std::optional<Notice> WatchNotice(const WatchEvent& event) {
    QString error;
    const std::optional<HostPort> server = ParseHostPort(event.server, DefaultServerPort, error);
    if (!server)
        return std::nullopt;
    QString name = PlainLine(event.name.toLatin1());
    if (name.isEmpty())
        name = event.server;
    QString summary;
    switch (event.kind) {
    case WatchEventKind::BuddyJoined:
        summary = QStringLiteral("%1 is on %2").arg(PlainLine(event.player), name);
        break;
    case WatchEventKind::PlayersReached:
        summary = QStringLiteral("%1 has the players you wanted").arg(name);
        break;
    case WatchEventKind::SlotFree:
        summary = QStringLiteral("There's room on %1").arg(name);
        break;
    case WatchEventKind::BuddyLeft:
        return std::nullopt;
    }
    return Notice{*server, summary, event.server};
}
