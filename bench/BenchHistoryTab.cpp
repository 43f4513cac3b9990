// bench_history_tab FILE NOW SERVER...: the time the Servers window's History tab takes from a
// server's selection to its charts drawn, offscreen, for each server named, as its history
// stood at NOW (ISO 8601): the store read, the charts, the busy hours, the players seen and the
// table filled, then the whole tab painted.
// Prints a line "tab_ms" and a line "tab_hours" (the hours shown) for each.
#include "HistoryPane.h"
#include "HistoryStore.h"
#include "HourlyTable.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QDateTime now = QDateTime::fromString(args.value(2), Qt::ISODate);
    if (args.size() < 4 || !now.isValid()) {
        std::fprintf(stderr, "usage: bench_history_tab FILE NOW SERVER...\n");
        return 2;
    }
    HistoryStore store;
    if (!store.Open(args[1])) {
        std::fprintf(stderr, "bench_history_tab: %s\n", qPrintable(store.Problem()));
        return 1;
    }
    HistoryPane pane(&store);
    pane.resize(1000, 700);
    pane.show();
    for (const QString& server : args.mid(3)) {
        QElapsedTimer timer;
        timer.start();
        pane.Show(server, now, 0);
        pane.grab();
        std::printf("tab_ms %.2f\ntab_hours %d\n", timer.nsecsElapsed() / 1e6,
                    pane.Hours().model()->rowCount());
    }
    return 0;
}
