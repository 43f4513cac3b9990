#pragma once

#include "CommandLine.h"
#include "ServerWatch.h"

#include <QObject>
#include <QSet>

class HistoryStore;
class QIODevice;

// vantrel-query --watch: the servers named and those the masters list, refreshed every interval,
// each change written as one line the moment it is known. It ends after --count refreshes, or
// when interrupted. Each refresh goes into the history.
class WatchTool : public QObject {
    Q_OBJECT

public:
    WatchTool(const WatchOptions& options, QIODevice& out, QIODevice& errors, HistoryStore& history,
              const Clock& clock = SteadyClock::Instance(), QObject* parent = nullptr);

    void Start();

    ServerWatch& Watch() { return watch; }

signals:
    void Finished(int status);

private:
    void OnRefreshEnded(int refreshes);
    void OnHostNotFound(const QString& host);

    WatchOptions options;
    QIODevice& out;
    QIODevice& errors;
    HistoryStore& history;
    ServerWatch watch;
    // Each host not found is told of once, not at every refresh.
    QSet<QString> notFound;
};
