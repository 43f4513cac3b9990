#include "TestRegistry.h"
#include "WatchEvents.h"

#include <QTest>

namespace {

using Rounds = QList<WatchSnapshot>;

WatchSnapshot Server(int current, QList<QByteArray> players = {}, FavouriteAlert alert = {},
                     bool complete = true, int max = 8) {
    return {{"a", {"a:1", "A", players, complete, current, max, alert}}};
}

} // namespace

// The watch over several refreshes of the watched servers.
class TestWatch : public QObject {
    Q_OBJECT

private slots:
    void Events_data() {
        QTest::addColumn<Rounds>("rounds");
        QTest::addColumn<int>("minPlayers");
        // What the last refresh tells.
        QTest::addColumn<QStringList>("expected");
        const FavouriteAlert room{{}, 0, true};
        const FavouriteAlert six{{}, 6, false};
        QTest::newRow("buddy comes, folded and in any case, each name once")
            << Rounds{Server(1, {"Al"}), Server(3, {"Al", "\xC2\xEF\xE2", "\xC2\xEF\xE2"})} << 0
            << QStringList{QLatin1String("buddy-joined a:1 \xC2\xEF\xE2")};
        QTest::newRow("a silent server keeps its buddy")
            << Rounds{Server(1, {"Bob"}), {}, Server(1, {"Bob"})} << 0 << QStringList{};
        QTest::newRow("until a whole list says he went")
            << Rounds{Server(2, {"Bob", "Al"}), Server(2, {"Al"}, {}, false), Server(1, {"Al"})}
            << 0 << QStringList{"buddy-left a:1 Bob"};
        QTest::newRow("a server first heard of was empty")
            << Rounds{{}, Server(4, {"Bob"})} << 4
            << QStringList{"buddy-joined a:1 Bob", "players-reached a:1"};
        QTest::newRow("a favourite's own count goes first")
            << Rounds{Server(3, {}, six), Server(5, {}, six), Server(6, {}, six)} << 4
            << QStringList{"players-reached a:1"};
        QTest::newRow("a slot frees") << Rounds{Server(8, {}, room), Server(7, {}, room)} << 0
                                      << QStringList{"slot-free a:1"};
    }

    void Events() {
        QFETCH(Rounds, rounds);
        QFETCH(int, minPlayers);
        const WatchRules rules{{"BOB", "o"}, minPlayers};
        WatchSnapshot snapshot;
        QList<WatchEvent> events;
        for (const WatchSnapshot& round : rounds)
            events = NoteRefresh(snapshot, round, rules);
        QStringList texts;
        for (const WatchEvent& e : events)
            texts << QStringList{WatchEventName(e.kind), e.server, QString::fromLatin1(e.player),
                                 e.name == "A" ? "" : "misnamed"}
                         .join(' ')
                         .trimmed();
        QFETCH(QStringList, expected);
        QCOMPARE(texts, expected);
    }
};

VANTREL_TEST(TestWatch)

#include "TestWatch.moc"
