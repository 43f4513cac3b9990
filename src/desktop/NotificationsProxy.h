#pragma once

#include <QDBusAbstractInterface>
#include <QDBusPendingCall>
#include <QStringList>
#include <QVariantMap>

// The desktop's notification service, org.freedesktop.Notifications. Its two signals are Qt
// signals of the same names, so connecting to one subscribes to the service's signal of that name.
class NotificationsProxy final : public QDBusAbstractInterface {
    Q_OBJECT

public:
    explicit NotificationsProxy(const QDBusConnection& connection, QObject* parent = nullptr)
        : QDBusAbstractInterface(QStringLiteral("org.freedesktop.Notifications"),
                                 QStringLiteral("/org/freedesktop/Notifications"),
                                 "org.freedesktop.Notifications", connection, parent) {}

    // Answers the notification's id.
    QDBusPendingCall Notify(const QString& appName, uint replacesId, const QString& appIcon,
                            const QString& summary, const QString& body, const QStringList& actions,
                            const QVariantMap& hints, int expireTimeout) {
        return asyncCall(QStringLiteral("Notify"), appName, replacesId, appIcon, summary, body,
                         actions, hints, expireTimeout);
    }

signals:
    void ActionInvoked(uint id, const QString& actionKey);
    void NotificationClosed(uint id, uint reason);
};
