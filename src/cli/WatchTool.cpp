#include "WatchTool.h"

#include "ExitStatus.h"
#include "HistorySamples.h"
#include "HistoryStore.h"
#include "ProgramName.h"
#include "Reports.h"

#include <QDateTime>
#include <QIODevice>

WatchTool::WatchTool(const WatchOptions& options, QIODevice& out, QIODevice& errors,
                     HistoryStore& history, const Clock& clock, QObject* parent)
    : QObject(parent), options(options), out(out), errors(errors), history(history), watch(clock) {
    ServerLists lists;
    lists.recent = options.servers;
    lists.masters = options.masters;
    lists.games = options.games;
    lists.buddies = options.buddies;
    watch.SetLists(lists);
    watch.SetMinPlayers(options.minPlayers);
    watch.SetSeconds(options.every);
    watch.SetConvertTexts(!options.raw);
    connect(&watch, &ServerWatch::Event, this, [this](const WatchEvent& event) {
        this->out.write(WatchEventLine(event, QDateTime::currentDateTimeUtc(), this->options.json,
                                       this->options.raw));
    });
    connect(&watch, &ServerWatch::RefreshEnded, this, &WatchTool::OnRefreshEnded);
    connect(&watch.Refresher().Network(), &ServerRefresh::HostNotFound, this,
            &WatchTool::OnHostNotFound);
}

void WatchTool::Start() {
    watch.Start();
}

void WatchTool::OnRefreshEnded(int refreshes) {
    history.Record(SamplesFromRows(watch.Servers().Rows()), QDateTime::currentDateTimeUtc());
    if (options.count > 0 && refreshes >= options.count) {
        watch.Stop();
        emit Finished(ExitComplete);
    }
}

void WatchTool::OnHostNotFound(const QString& host) {
    if (!notFound.contains(host)) {
        notFound.insert(host);
        errors.write((ProgramName + QStringLiteral(": host not found: ") + host + u'\n').toUtf8());
    }
}
