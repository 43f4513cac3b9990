#pragma once

#include <QString>

// The two defaults that depend on where the game usually lives.
struct GameDefaults {
    QString quakepath;
    QString exe;
};

GameDefaults PlatformDefaults();
