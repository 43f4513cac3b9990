#pragma once

#include "RefreshBatch.h"
#include "ServerRefresh.h"
#include "ServerRow.h"

#include <QObject>
#include <QTimer>

struct ServerLists;
class ServerTableModel;

// Refreshes the browser's table from the stored lists: the favourites and the recent servers,
// and whatever the masters list. What the refresh learns is gathered and taken into the table in
// batches on a short timer, so that hundreds of answers cost a few model changes rather than one
// each and the window stays responsive while they arrive.
class TableRefresh final : public QObject {
    Q_OBJECT

public:
    // The batch timer's period: short beside a ping, long beside the handling of a reply.
    static constexpr int BatchMilliseconds = 25;

    explicit TableRefresh(ServerTableModel& model, const Clock& clock = SteadyClock::Instance(),
                          QObject* parent = nullptr);

    // Starts over, whether or not a refresh runs. Texts are converted when convertTexts is set,
    // as the asciiserver option says. False when no socket could be opened.
    bool Start(const ServerLists& lists, bool convertTexts);
    bool Running() const { return refresh.Running(); }
    // Takes in what has arrived and asks nothing more; the rows still asked keep their old values.
    void Stop();

    // Takes what has arrived into the table; the batch timer calls it, and tests may.
    void ApplyPending();

    // "N of M servers answered", with what went wrong with the masters.
    QString StatusText() const;

    ServerRefresh& Network() { return refresh; }

signals:
    void StatusChanged(const QString& text);
    void Finished();

private:
    struct Named {
        HostPort server;
        ServerSources sources;
    };

    void Queue();
    void OnListed(const Endpoint& server, int namedIndex);
    void OnHostNotFound(const QString& host);
    void OnMasterEnded(const HostPort& master, MasterOutcome outcome, int servers);
    void OnFinished();

    ServerTableModel& model;
    ServerRefresh refresh;
    QTimer batchTimer;
    RefreshBatch pending;
    QList<Named> named;
    bool convertTexts = true;
    // Masters that could not be asked or sent nothing, for the status line.
    QStringList quietMasters;
};
