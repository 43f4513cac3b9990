#pragma once

#include "HostPort.h"

struct MainFields;
struct QueryState;
class MainView;
class QueryCycle;
class StoredServerLists;

// The queries the user starts from the main window: by its Query button, or by choosing a server
// in the browser. Each query that starts puts its server at the front of the recent list.
class QueryStarts {
public:
    struct Parts {
        QueryState& state;
        MainFields& fields;
        QueryCycle& cycle;
        MainView& view;
        StoredServerLists& lists;
    };
    explicit QueryStarts(const Parts& parts) : p(parts) {}

    // Starts a query, or stops the one that runs.
    void OnQueryButton();
    // Shows the server in the Server and Port fields and queries it as the button would; a query
    // that runs stops first.
    void QueryServer(const HostPort& server);

private:
    Parts p;
};
