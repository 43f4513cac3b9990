#pragma once

#include "ServerRow.h"

#include <QList>

// What a refresh has learnt since the table last took it in, in the order it was learnt.
struct RefreshBatch {
    // A server to be shown: named by the user (with the host and port as named) or listed by a
    // master (no host). A named server whose host was not found comes with a null endpoint.
    struct Listed {
        Endpoint endpoint;
        HostPort named;
        ServerSources sources;
    };
    // What a server answered: an answer (its server info, or its status when it answers only
    // that), what it told of itself and its players, or both; neither for a silent server.
    struct Outcome {
        Endpoint endpoint;
        std::optional<ServerAnswer> answer;
        std::optional<ServerStatus> status = std::nullopt;
    };

    QList<Listed> listed;
    QList<Outcome> outcomes;

    bool Empty() const { return listed.isEmpty() && outcomes.isEmpty(); }
    void Clear() {
        listed.clear();
        outcomes.clear();
    }
};
