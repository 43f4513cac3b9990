#pragma once

#include "HostPort.h"

#include <QString>

// What the player may do from a notification: join the server in the game, or see it queried.
enum class NoticeAction { Join, Show };

// One thing the watch tells the player, about one server.
struct Notice {
    HostPort server;
    QString summary;
    QString body;
};
