#include "SystemMenu.h"

#include <QWidget>
#include <windows.h>

void AppendAboutToSystemMenu(QWidget& window) {
    const HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(window.winId()), FALSE);
    if (menu == nullptr)
        return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, AboutCommand, L"&About Test...");
}

bool IsAboutSystemCommand(const void* nativeMessage) {
    const MSG* msg = static_cast<const MSG*>(nativeMessage);
    return msg->message == WM_SYSCOMMAND && IsAboutCommand(static_cast<unsigned>(msg->wParam));
}
