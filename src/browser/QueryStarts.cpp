#include "QueryStarts.h"

#include "MainFields.h"
#include "MainView.h"
#include "QueryCycle.h"
#include "QueryState.h"
#include "StoredServerLists.h"

void QueryStarts::OnQueryButton() {
    const bool starting = p.state.querying == 0;
    p.cycle.OnQueryButton();
    // The query reads its server from the fields as it starts; one refused there, or with no
    // host, is nothing worth offering again.
    const HostPort server{p.fields.serverHost, p.fields.port};
    if (starting && p.state.querying == 1 && !server.host.isEmpty() && server.port >= LowestPort &&
        server.port <= HighestPort)
        p.lists.NoteQueried(server);
}

void QueryStarts::QueryServer(const HostPort& server) {
    if (p.state.querying == 1)
        p.cycle.StopQuery();
    p.fields.serverHost = server.host;
    p.fields.port = server.port;
    p.view.ShowFields();
    OnQueryButton();
}
