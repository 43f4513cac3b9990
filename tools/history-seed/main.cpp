// vantrel-history-seed: fills a history file with plausible samples of the servers given, for the
// days up to now: every minute for the last two days, sparser before, rolled up as Vantrel
// rolls it up.
#include "HistoryStore.h"
#include "SeededRefresh.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <utility>

namespace {

// HOST:FIRST-LAST, or HOST:PORT for one server.
QStringList ParseServers(const QString& text) {
    const qsizetype colon = text.lastIndexOf(':');
    const QStringList ports = text.mid(colon + 1).split('-');
    bool firstOk = false, lastOk = false;
    const int first = ports.value(0).toInt(&firstOk);
    const int last = ports.size() == 2 ? ports[1].toInt(&lastOk) : (lastOk = true, first);
    QStringList servers;
    if (colon <= 0 || ports.size() > 2 || !firstOk || !lastOk || first < 1 || last < first ||
        last > 65535)
        return servers;
    for (int port = first; port <= last; ++port)
        servers.append(text.left(colon) + ':' + QString::number(port));
    return servers;
}

int Fail(const QString& message) {
    std::fprintf(stderr, "vantrel-history-seed: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Fills a Vantrel history file with plausible samples.");
    parser.addHelpOption();
    parser.addPositionalArgument("file", "The history file, made when missing.");
    const QCommandLineOption days("days", "Days of history up to now.", "n", "1");
    const QCommandLineOption servers("servers", "The servers: a range of ports on one host.",
                                     "host:first-last", "127.0.0.1:26000-26030");
    const QCommandLineOption every("old-every", "Minutes between samples older than two days.",
                                   "minutes", "10");
    const QCommandLineOption at("now", "The end of the history (ISO 8601, UTC); else now.", "time");
    parser.addOptions({days, servers, every, at});
    parser.process(app);

    const QStringList names = ParseServers(parser.value(servers));
    const int dayCount = parser.value(days).toInt();
    const int oldEvery = parser.value(every).toInt();
    QDateTime now = parser.isSet(at) ? QDateTime::fromString(parser.value(at), Qt::ISODate)
                                     : QDateTime::currentDateTimeUtc();
    if (parser.positionalArguments().size() != 1 || names.isEmpty() || dayCount < 1 ||
        oldEvery < 1 || !now.isValid())
        return Fail("usage: vantrel-history-seed FILE [--days N] [--servers HOST:FIRST-LAST]");
    now = now.toUTC();
    now.setTime(QTime(now.time().hour(), now.time().minute()));

    HistoryStore store;
    if (!store.Open(parser.positionalArguments()[0]))
        return Fail(store.Problem());
    QRandomGenerator random(17);
    const QDateTime rawFrom = now.addSecs(-qint64(HistoryStore::RawHours) * 3600);
    qint64 rolledHour = 0;
    for (QDateTime when = now.addDays(-dayCount); when <= now;
         when = when.addSecs(60 * (when < rawFrom ? oldEvery : 1))) {
        if (!store.Record(SeededRefresh(names, when, random), when))
            return Fail(QStringLiteral("could not record %1").arg(when.toString(Qt::ISODate)));
        const qint64 hour = when.toSecsSinceEpoch() / 3600;
        if (std::exchange(rolledHour, hour) != hour && !store.RollUp(when))
            return Fail(QStringLiteral("could not roll up at %1").arg(when.toString(Qt::ISODate)));
    }
    return 0;
}
