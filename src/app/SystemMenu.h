#pragma once

#include <QtGlobal>

class QWidget;

// The command of the About entry on the main window's system menu.
inline constexpr unsigned AboutCommand = 16;

// The platform keeps the low four bits of a system command for itself.
constexpr bool IsAboutCommand(unsigned id) {
    return (id & 0xFFF0u) == AboutCommand;
}

#ifdef Q_OS_WIN
// Appends a separator and "&About Test..." to the window's system menu. Call it once the window's
// flags are final: changing them gives the window a fresh system menu.
void AppendAboutToSystemMenu(QWidget& window);
// True for a native message that is the About entry's system command.
bool IsAboutSystemCommand(const void* nativeMessage);
#endif
