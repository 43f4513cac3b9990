// The window against a stand-in server in the same process: the time from pressing Query to the
// last reply handled (median of many queries), and the resident memory after start-up and after
// a thousand queries.
#include "ProcessFigures.h"
#include "QueryWindow.h"
#include "TimerIds.h"
#include "standin/DemoConfig.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// One whole query; the time from the press to the last reply handled, in milliseconds.
double Query(QueryWindow& w) {
    // The stand-in keeps every request it receives; that is not the window's memory.
    w.server.ClearRequests();
    QElapsedTimer clock;
    clock.start();
    w.QueryButton().click();
    QDeadlineTimer deadline(5000);
    while (!w.AllRepliesIn() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    const double ms = clock.nsecsElapsed() / 1e6;
    w.Dialog().OnTimerTick(QueryTimer);
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QueryWindow w;
    w.server.Config().players = DemoPlayers(16);
    w.server.Config().rules = DemoRules(40);
    w.Open();
    w.SetTarget();
    const qint64 startUp = ResidentBytes() / 1024;

    std::vector<double> times;
    for (int i = 0; i < 100; ++i)
        times.push_back(Query(w));
    std::sort(times.begin(), times.end());
    for (int i = 100; i < 1000; ++i)
        Query(w);

    std::printf(
        "press to last reply, 16 players and 40 rules: median %.3f ms (min %.3f, max %.3f)\n",
        times[times.size() / 2], times.front(), times.back());
    std::printf("resident memory, window and stand-in: %lld KiB after start-up, %lld KiB after "
                "1000 queries\n",
                startUp, ResidentBytes() / 1024);
    return 0;
}
