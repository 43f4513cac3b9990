#pragma once

#include "CommandLine.h"
#include "HeadlessView.h"
#include "QueryEngine.h"
#include "QueryResult.h"
#include "ReplyRecorder.h"

#include <QObject>
#include <QTimer>

class HistoryStore;
class QIODevice;

// vantrel-query's work: the window's query, reply handlers and script writer composed without
// the window. A query ends as soon as every reply is in, or when its time is up, and its result
// is printed, and kept in the history, either way.
class QueryTool : public QObject {
    Q_OBJECT

public:
    QueryTool(const QueryOptions& options, QIODevice& out, QIODevice& errors, HistoryStore& history,
              QObject* parent = nullptr);
    ~QueryTool() override;

    // Starts the first query. Finished follows at its end, unless the queries repeat.
    void Start();
    // The time for the running query is up.
    void OnDeadline();
    // The next of the repeated queries is due; a query still running ends first.
    void OnRepeatTick();

    int DeadlineMs() const { return deadline.interval(); }
    const QueryState& State() const { return engine.state; }
    bool Running() const { return phase == Phase::Running; }

signals:
    void Finished(int status);

private:
    enum class Phase { Idle, Running, Ending };

    bool StartQuery();
    void AfterReply();
    void OnHostNotFound(int query);
    void EndLater(int status);
    void EndQuery(int status);
    bool AllIn(bool relaxed) const;
    QStringList Missing() const;
    QueryResult Collect(bool complete) const;
    void Print(const QueryResult& result);

    QueryOptions options;
    QIODevice& out;
    QIODevice& errors;
    HistoryStore& history;

    HeadlessView view;
    QueryEngine engine;
    ReplyRecorder recorder;

    QTimer deadline;
    QTimer repeat;
    Phase phase = Phase::Idle;
    int queryNumber = 0;
    int pendingStatus = 0;
    int printed = 0;
};
