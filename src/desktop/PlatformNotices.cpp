#include "PlatformNotices.h"

#ifdef Q_OS_LINUX
#include "DBusNotices.h"

#include <QDBusConnection>

std::unique_ptr<NoticeSender> PlatformNotices() {
    // Whether a service answers shows at the first notice: one that fails goes to the tray.
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return nullptr;
    return std::make_unique<DBusNotices>(bus);
}
#else
std::unique_ptr<NoticeSender> PlatformNotices() {
    return nullptr;
}
#endif
