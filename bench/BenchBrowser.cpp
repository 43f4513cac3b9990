// The Servers window refreshing from master stand-ins that run as processes of their own, so
// that their work does not share the window's thread. One refresh per run of this program, or,
// with --memory, two refreshes of the same list with the resident memory before and after each.
// Given the players the servers have, it times how long until the table lists them all.
// Prints one "key value" line per figure, for bench/browser.sh to gather; with --pings, every
// answering server's ping as the table shows it, for bench/ping-truth.sh.
#include "ListedPlayers.h"
#include "MainWindowFixture.h"
#include "ProcessFigures.h"
#include "ServerColumns.h"
#include "ServerTableModel.h"
#include "ServersWindow.h"
#include "StoredServerLists.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

// No refresh of these lists takes this long unless something is broken.
constexpr int RefreshLimitMs = 30000;

// Lets queued events and deferred deletions run, for about this long.
void Settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

int AnsweredRows(const QAbstractItemModel& table) {
    int answered = 0;
    for (int row = 0; row < table.rowCount(); ++row)
        answered += table.index(row, 0).data(ServerTableModel::AnsweredRole).toBool() ? 1 : 0;
    return answered;
}

QPushButton& RefreshButton(ServersWindow& window) {
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("&Refresh"))
            return *button;
    }
    qFatal("the Servers window has no Refresh button");
}

struct RefreshFigures {
    bool finished = false;
    // From the press of Refresh until the table held every answer it ended with; -1 when the
    // status line never counted them.
    double answeredMs = 0;
    // From the press until the refresh ended, the silent servers given up.
    double completeMs = 0;
    // The longest time between two ticks of a 1 ms timer on the window's thread.
    double longestStallMs = 0;
    int rows = 0;
    int answered = 0;
    qint64 players = 0;
    double playersMs = -1;
};

// Presses Refresh and runs the event loop until the refresh ends; expectedPlayers is how many
// players the answering servers have between them.
RefreshFigures Refresh(ServersWindow& window, qint64 expectedPlayers) {
    const QAbstractItemModel& table = *window.Table().model();
    RefreshFigures figures;
    QElapsedTimer clock;
    QEventLoop loop;
    const ListedPlayers players(
        dynamic_cast<const ServerTableModel&>(
            *static_cast<const QSortFilterProxyModel&>(table).sourceModel()),
        expectedPlayers, clock, &loop);
    // When the status line first counted each number of answers; the final number is known at
    // the end. The line is read rather than the table, which would cost the thread measured here
    // a pass over every row at each change.
    std::vector<qint64> reachedNs;
    QObject::connect(&window.Refresher(), &TableRefresh::StatusChanged, &loop,
                     [&](const QString& text) {
                         const int answered = text.section(u' ', 0, 0).toInt();
                         while (int(reachedNs.size()) <= answered)
                             reachedNs.push_back(clock.nsecsElapsed());
                     });
    QObject::connect(&window.Refresher(), &TableRefresh::Finished, &loop, [&] {
        figures.finished = true;
        figures.completeMs = clock.nsecsElapsed() / 1e6;
        loop.quit();
    });
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    qint64 lastTickNs = 0;
    qint64 longestNs = 0;
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestNs = std::max(longestNs, now - lastTickNs);
        lastTickNs = now;
    });
    QTimer::singleShot(RefreshLimitMs, &loop, &QEventLoop::quit);

    ticker.start();
    clock.start();
    RefreshButton(window).click();
    loop.exec();
    ticker.stop();

    figures.rows = table.rowCount();
    figures.answered = AnsweredRows(table);
    figures.answeredMs =
        figures.answered < int(reachedNs.size()) ? reachedNs[size_t(figures.answered)] / 1e6 : -1;
    figures.longestStallMs = longestNs / 1e6;
    figures.players = players.Listed();
    figures.playersMs = players.ReachedMs();
    return figures;
}

// Each answering row as "ping ADDRESS SHOWN", the ping as the table shows it.
void PrintPings(const QAbstractItemModel& table) {
    for (int row = 0; row < table.rowCount(); ++row) {
        if (!table.index(row, 0).data(ServerTableModel::AnsweredRole).toBool())
            continue;
        std::printf("ping %s %s\n", qPrintable(table.index(row, AddressColumn).data().toString()),
                    qPrintable(table.index(row, PingColumn).data().toString()));
    }
}

void Print(const char* key, double value) {
    std::printf("%s %.3f\n", key, value);
}

void Print(const char* key, qint64 value) {
    std::printf("%s %lld\n", key, value);
}

void PrintCounts(const RefreshFigures& f) {
    Print("rows", qint64(f.rows));
    Print("answered", qint64(f.answered));
    Print("players", f.players);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Times one refresh of the Servers window.");
    parser.addHelpOption();
    const QCommandLineOption master("master", "A master to ask (repeatable).", "host:port");
    const QCommandLineOption memory("memory", "Refresh twice and report the resident memory.");
    const QCommandLineOption pings("pings", "Print every answering server's ping as shown.");
    const QCommandLineOption players(
        "players", "The players the servers have between them: time until all are listed.", "n",
        "0");
    parser.addOptions({master, memory, pings, players});
    parser.process(app);
    const qint64 expectedPlayers = parser.value(players).toLongLong();

    QList<HostPort> masters;
    for (const QString& text : parser.values(master)) {
        const QStringList parts = text.split(u':');
        masters.append({parts.value(0), parts.value(1).toInt()});
    }
    if (masters.isEmpty()) {
        std::fprintf(stderr, "bench_browser: give at least one --master host:port\n");
        return 2;
    }

    MainWindowFixture fixture;
    StoredServerLists lists(fixture.Store());
    lists.SetMasters(masters, {QStringLiteral("FTE-Quake")});
    ServersWindow window(lists, fixture.settings, fixture.Prompts(), fixture.Store(),
                         fixture.History());
    window.show();
    Settle(200);

    if (!parser.isSet(memory)) {
        const RefreshFigures f = Refresh(window, expectedPlayers);
        PrintCounts(f);
        Print("answered_ms", f.answeredMs);
        Print("players_ms", f.playersMs);
        Print("complete_ms", f.completeMs);
        Print("stall_ms", f.longestStallMs);
        Print("finished", qint64(f.finished));
        if (parser.isSet(pings))
            PrintPings(*window.Table().model());
        return f.finished ? 0 : 1;
    }

    const qint64 before = ResidentBytes() / 1024;
    Print("before_kib", before);
    bool finished = true;
    for (const char* key : {"first_kib", "second_kib"}) {
        const RefreshFigures f = Refresh(window, expectedPlayers);
        finished = finished && f.finished;
        Settle(200);
        PrintCounts(f);
        Print("answered_ms", f.answeredMs);
        Print("stall_ms", f.longestStallMs);
        Print(key, ResidentBytes() / 1024 - before);
    }
    Print("finished", qint64(finished));
    return finished ? 0 : 1;
}
