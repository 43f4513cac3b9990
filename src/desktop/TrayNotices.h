#pragma once

#include "NoticeSender.h"

class QSystemTrayIcon;

// Notices as the tray icon's message, where the desktop has no notification service. A message
// has no buttons: a click on it shows the server.
class TrayNotices final : public NoticeSender {
    Q_OBJECT

public:
    explicit TrayNotices(QSystemTrayIcon& tray, QObject* parent = nullptr);

    void Send(const Notice& notice) override;

private:
    QSystemTrayIcon& tray;
    // The tray shows one message at a time: a click is on the last one.
    HostPort lastServer;
};
