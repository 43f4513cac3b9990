#pragma once

#include "QuerySocket.h"

#include <QStringList>
#include <memory>

struct MainFields;
struct QueryState;
struct Settings;
class MainView;
class PacketBuffer;
class ReplySink;
class ScriptWriter;

// One query from the button press to success, time-out or stop: the folder tests, the fresh
// socket, the script rewrite, the one-second countdown and the decision at each tick.
class QueryCycle {
public:
    struct Parts {
        QueryState& state;
        MainFields& fields;
        const Settings& settings;
        PacketBuffer& buffer;
        ScriptWriter& scripts;
        MainView& view;
        ReplySink& replies;
        const Clock& clock;
    };
    explicit QueryCycle(const Parts& parts);
    ~QueryCycle();

    // The socket made at window start-up; false when it could not be opened.
    bool OpenFirstSocket();

    void OnQueryButton();
    void StartQuery();
    void StopQuery();
    void QueryTick();
    void ResetQueryTicks();
    void ResetProgress();

    QuerySocket& Socket() { return *querySocket; }

    // Every expected reply is in: the server info, each player (at least each player when
    // relaxed) and the end of the rules.
    bool Complete(bool relaxed) const;

private:
    bool ReplaceSocket(bool open);
    void Tell(const QString& text);
    void EndWithSuccess();
    void Retry();

    Parts p;
    std::unique_ptr<QuerySocket> querySocket;
    QStringList openMessages;
};
