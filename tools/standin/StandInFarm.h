#pragma once

#include "ServerBehaviour.h"

#include <QHostAddress>

struct FarmOptions {
    QHostAddress address;
    uint firstPort = 0;
    int count = 1;
    // Every silentEvery-th server has a socket but answers nothing (0: none).
    int silentEvery = 0;
    // How many of the answering servers have players, 1 to 16 each, spread over the farm; the
    // others are empty. Negative: the demo servers' own mix of empty, busy and full.
    int populated = -1;
    int ruleCount = 0;
    ServerBehaviour behaviour;
};

// Serves count demo servers on consecutive ports until the program is killed; the exit status.
int ServeMany(const FarmOptions& options);
