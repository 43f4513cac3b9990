#include "ServerWatch.h"
#include "TestRegistry.h"
#include "TestWorld.h"
#include "master/MasterServerStandIn.h"
#include "standin/QuakeServerStandIn.h"

#include <QTest>

namespace {

using Rounds = QList<WatchSnapshot>;

WatchSnapshot Server(int current, QList<QByteArray> players = {}, FavouriteAlert alert = {},
                     bool complete = true, int max = 8) {
    return {{"a", {"a:1", "A", players, complete, current, max, alert}}};
}

QString Text(const WatchEvent& e) {
    return QStringList{WatchEventName(e.kind), e.server, QString::fromLatin1(e.player)}
        .join(' ')
        .trimmed();
}

QList<StandInPlayer> Players(int count) {
    return QList<StandInPlayer>(count, StandInPlayer{"p", 0, 0, 0, 0, {}});
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
        QTest::newRow("buddy goes") << Rounds{Server(2, {"Al", "Bob"}), Server(1, {"Al"})} << 0
                                    << QStringList{"buddy-left a:1 Bob"};
        QTest::newRow("a silent server keeps its buddy")
            << Rounds{Server(1, {"Bob"}), {}, Server(1, {"Bob"})} << 0 << QStringList{};
        QTest::newRow("until a whole list says he went")
            << Rounds{Server(2, {"Bob", "Al"}), Server(2, {"Al"}, {}, false), Server(1, {"Al"})}
            << 0 << QStringList{"buddy-left a:1 Bob"};
        QTest::newRow("a server first heard of was empty")
            << Rounds{{}, Server(4, {"Bob"})} << 4
            << QStringList{"buddy-joined a:1 Bob", "players-reached a:1"};
        QTest::newRow("the count reaches the command line's")
            << Rounds{Server(3), Server(4)} << 4 << QStringList{"players-reached a:1"};
        QTest::newRow("a favourite's own count goes first")
            << Rounds{Server(3, {}, six), Server(5, {}, six), Server(6, {}, six)} << 4
            << QStringList{"players-reached a:1"};
        QTest::newRow("a slot frees") << Rounds{Server(8, {}, room), Server(7, {}, room)} << 0
                                      << QStringList{"slot-free a:1"};
        QTest::newRow("never full without a limit")
            << Rounds{Server(3, {}, room, true, 0), Server(2, {}, room, true, 0)} << 0
            << QStringList{};
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
            texts << Text(e) + (e.name == "A" ? "" : " misnamed");
        QFETCH(QStringList, expected);
        QCOMPARE(texts, expected);
    }

    // Two favourites with alerts, a server only a master lists and a silent favourite, over three
    // refreshes: each is ended by the next one's time, since the silent server never lets a
    // refresh finish. The master is asked again only after five minutes.
    void WatchOverLoopback() {
        std::vector<std::unique_ptr<QuakeServerStandIn>> s;
        for (int i = 0; i < 4; ++i) {
            s.push_back(std::make_unique<QuakeServerStandIn>());
            QVERIFY(s.back()->Start());
        }
        const auto named = [&](int i) {
            return HostPort{"127.0.0.1", s[i]->Port()};
        };
        s[0]->Config().players = Players(1);
        s[1]->Config().players = Players(2);
        s[1]->Config().maxPlayers = 2;
        s[3]->Faults().dropServerInfo = true;
        MasterServerStandIn master;
        QVERIFY(master.Start());
        master.Servers().append({s[2]->Address(), s[2]->Port()});
        ManualClock clock;
        ServerWatch watch(clock);
        watch.SetLists({{named(0), named(1), named(3)},
                        {},
                        {{"127.0.0.1", master.Port()}},
                        {"FTE-Quake"},
                        {},
                        {{named(0), 2, false}, {named(1), 0, true}}});
        watch.SetMinPlayers(3);
        QStringList texts;
        connect(&watch, &ServerWatch::Event, [&](const WatchEvent& e) { texts << Text(e); });
        watch.Start();
        const QString asking = "3 of 4 servers answered, asking...";
        QTRY_COMPARE(watch.Refresher().StatusText(), asking);
        s[0]->Config().players = Players(2);
        s[1]->Config().players = Players(1);
        s[2]->Config().players = Players(3);
        for (const int seconds : {60, 240, 60}) {
            clock.Advance(seconds * 1000);
            watch.OnTick();
            QTRY_COMPARE(watch.Refresher().StatusText(), asking);
        }
        QCOMPARE(watch.Refreshes(), 3);
        // In the order of the servers' addresses, which the ports' order decides.
        texts.sort();
        QStringList expected{"players-reached " + HostPortText(named(0)),
                             "slot-free " + HostPortText(named(1)),
                             "players-reached " + HostPortText(named(2))};
        expected.sort();
        QCOMPARE(texts, expected);
        QCOMPARE(master.Requests().size(), 2);
    }
};

VANTREL_TEST(TestWatch)

#include "TestWatch.moc"
