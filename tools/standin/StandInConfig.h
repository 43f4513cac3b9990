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
    // What a status answer gives as the player's ping.
    int pingMs = 0;
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

    // Answers getinfo and getstatus as a public QuakeSpasm-Spiked server does; off, it is a
    // plain NetQuake server (Quakespasm) that ignores them.
    bool answersStatus = false;
    // The game folder of a mod; empty for the plain game.
    QByteArray modName;
    QByteArray engine = "QSS 0.96.3";
    // The game protocol the server runs (FitzQuake's).
    int nqProtocol = 666;
};
