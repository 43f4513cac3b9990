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
    // An answer, or none (a silent server) when answer is empty.
    struct Outcome {
        Endpoint endpoint;
        std::optional<ServerAnswer> answer;
    };

    QList<Listed> listed;
    QList<Outcome> outcomes;

    bool Empty() const { return listed.isEmpty() && outcomes.isEmpty(); }
    void Clear() {
        listed.clear();
        outcomes.clear();
    }
};
