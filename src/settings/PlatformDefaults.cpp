#include "PlatformDefaults.h"

#include <QDir>

GameDefaults PlatformDefaults() {
#ifdef Q_OS_WIN
    return {QStringLiteral("C:\\Quake"), QStringLiteral("Winquake.exe")};
#else
    // Elsewhere the engine is usually installed system-wide and found on the PATH; the game data
    // sit in the user's own folder.
    return {QDir::homePath() + QStringLiteral("/quake"), QStringLiteral("quakespasm")};
#endif
}
