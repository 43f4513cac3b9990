#pragma once

#include "AppTray.h"
#include "Notifications.h"
#include "ServerWatch.h"
#include "TrayNotices.h"

#include <memory>

class MainDialog;
class NoticeSender;

// The watch's life beside the main window: it watches while there is something to watch (a buddy
// or a favourite's alert), tells of what it finds through the desktop's notifications, and with a
// system tray keeps the program running in the tray when the window is closed. A notification's
// Join queries the server and launches the game; its Show queries the server. Each round goes
// into the history.
class WatchSession final : public QObject {
    Q_OBJECT

public:
    // `desktop`: the desktop's notification service, or null for the tray alone.
    WatchSession(MainDialog& dialog, std::unique_ptr<NoticeSender> desktop, bool trayAvailable);
    ~WatchSession() override;

private:
    // Takes up the stored lists and the interval again.
    void Apply();
    void OnChosen(const HostPort& server, NoticeAction action);

    MainDialog& dialog;
    bool trayAvailable;
    AppTray tray;
    TrayNotices trayNotices;
    std::unique_ptr<NoticeSender> desktop;
    Notifications notifications;
    ServerWatch watch;
};
