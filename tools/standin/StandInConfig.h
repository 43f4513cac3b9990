#pragma once

#include <QByteArray>
#include <QList>

// What the stand-in server reports. Texts are raw bytes in the game's 8-bit character set.
struct StandInPlayer {
    QByteArray name;
    int shirt = 0;
    int pants = 0;
    qint32 frags = 0;
    qint32 connectTime = 0;
    QByteArray address;
};

struct StandInRule {
    QByteArray name;
    QByteArray value;
};

struct StandInConfig {
    // Empty: "<bound address>:<port>", as a NetQuake server reports its own socket.
    QByteArray serverAddress;
    QByteArray serverName = "Vantrel stand-in";
    QByteArray mapName = "e1m1";
    quint8 maxPlayers = 16;
    quint8 protocolVersion = 3;
    QList<StandInPlayer> players;
    QList<StandInRule> rules;
};
