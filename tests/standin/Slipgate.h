#pragma once

#include "standin/StandInConfig.h"

#include <QByteArray>

// One server used across the tests, with its replies written out byte for byte by hand.
inline StandInConfig SlipgateConfig() {
    StandInConfig config;
    config.serverAddress = "10.0.0.5:26000";
    config.serverName = "Slipgate";
    config.mapName = "e1m1";
    config.maxPlayers = 8;
    config.players = {{"Ranger", 4, 13, -3, 300, "127.0.0.1:27001"},
                      {"\x8d\xd3hub", 0, 0, 1000, 0, ""},
                      {"Grunt", 1, 2, 7, 60, "127.0.0.1:27003"}};
    config.rules = {{"sv_gravity", "800"}, {"deathmatch", "1"}};
    return config;
}

inline QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(hex);
}

inline const QByteArray slipgateServerInfo =
    Hex("8000002583") + QByteArray("10.0.0.5:26000\0Slipgate\0e1m1\0", 29) + Hex("030803");
inline const QByteArray slipgatePlayer0 = Hex("800000298400") + QByteArray("Ranger\0", 7) +
                                          Hex("4d000000fdffffff2c010000") +
                                          QByteArray("127.0.0.1:27001\0", 16);
inline const QByteArray slipgatePlayer1 = Hex("8000001984018dd36875620000000000e80300000000000000");
inline const QByteArray slipgatePlayer2 = Hex("800000288402") + QByteArray("Grunt\0", 6) +
                                          Hex("12000000070000003c000000") +
                                          QByteArray("127.0.0.1:27003\0", 16);
inline const QByteArray slipgateRule0 = Hex("8000001485") + QByteArray("sv_gravity\0800\0", 15);
inline const QByteArray slipgateRule1 = Hex("8000001285") + QByteArray("deathmatch\0"
                                                                       "1\0",
                                                                       13);
inline const QByteArray ruleEnd = Hex("8000000585");
