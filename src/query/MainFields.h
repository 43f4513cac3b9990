#pragma once

#include "Ping.h"

#include <QString>

// The main window's fields, which the data exchange shows in and reads from its controls.
// Server texts hold the game's bytes one character per byte.
struct MainFields {
    QString serverName;
    int currentPlayers = 0;
    int maxPlayers = 0;
    QString serverHost;
    QString mapName;
    int port = 26000;
    QString serverAddress;
    Ping ping;
};
