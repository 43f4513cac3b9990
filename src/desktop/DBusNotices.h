#pragma once

#include "NoticeSender.h"
#include "NotificationsProxy.h"

#include <QMap>

// Notices through the desktop's notification service over D-Bus, each with the actions Join and
// Show. The connection is the caller's: the session bus, or a private one.
class DBusNotices final : public NoticeSender {
    Q_OBJECT

public:
    explicit DBusNotices(const QDBusConnection& connection, QObject* parent = nullptr);

    void Send(const Notice& notice) override;
    // How many of its notifications the service still shows.
    int Showing() const { return int(shown.size()); }

    // The service may never say that a notification closed; past this many the oldest is forgotten.
    static constexpr int NoticesKept = 64;

private:
    void OnActionInvoked(uint id, const QString& actionKey);

    NotificationsProxy service;
    // The server of each notification the service still shows, by its id.
    QMap<uint, HostPort> shown;
};
