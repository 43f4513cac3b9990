// The history file's costs on a file seeded up to NOW: refreshes of the servers recorded a minute
// apart, then the hourly roll-up an hour later. Prints "key value" lines for bench/history.sh.
#include "HistoryStore.h"
#include "SeededRefresh.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 7) {
        std::fprintf(stderr, "usage: bench_history FILE NOW HOST FIRST-PORT COUNT REFRESHES\n");
        return 1;
    }
    QStringList servers;
    for (int i = 0; i < arguments[5].toInt(); ++i)
        servers.append(arguments[3] + ':' + QString::number(arguments[4].toInt() + i));
    HistoryStore store;
    if (!store.Open(arguments[1])) {
        std::fprintf(stderr, "%s\n", qPrintable(store.Problem()));
        return 1;
    }
    QDateTime when = QDateTime::fromString(arguments[2], Qt::ISODate).toUTC();
    QRandomGenerator random(1);
    QElapsedTimer timer;
    for (int i = 0; i < arguments[6].toInt(); ++i) {
        when = when.addSecs(60);
        const QList<HistorySample> refresh = SeededRefresh(servers, when, random);
        timer.start();
        if (!store.Record(refresh, when))
            return 1;
        std::printf("record_ms %.2f\n", double(timer.nsecsElapsed()) / 1e6);
    }
    timer.start();
    if (!store.RollUp(when.addSecs(60 * 60)))
        return 1;
    std::printf("rollup_ms %.2f\n", double(timer.nsecsElapsed()) / 1e6);
    return 0;
}
