#include "DBusNotices.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

// The action keys; "default" is the service's key for a click on the notification itself.
const QString JoinKey = QStringLiteral("join");
const QString ShowKey = QStringLiteral("show");
const QString DefaultKey = QStringLiteral("default");

// The service picks how long a notification stays.
constexpr int ServiceTimeout = -1;

} // namespace

DBusNotices::DBusNotices(const QDBusConnection& connection, QObject* parent)
    : NoticeSender(parent), service(connection) {
    connect(&service, &NotificationsProxy::ActionInvoked, this, &DBusNotices::OnActionInvoked);
    connect(&service, &NotificationsProxy::NotificationClosed, this,
            [this](uint id, uint) { shown.remove(id); });
}

// Most services read the body as markup: a name's '<' or '&' must stay text.
void DBusNotices::Send(const Notice& notice) {
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("vantrel")}};
    const QStringList actions{JoinKey, QStringLiteral("Join"), ShowKey, QStringLiteral("Show")};
    auto* watcher = new QDBusPendingCallWatcher(
        service.Notify(QStringLiteral("Vantrel"), 0, QStringLiteral("vantrel"), notice.summary,
                       notice.body.toHtmlEscaped(), actions, hints, ServiceTimeout),
        this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, notice] {
        watcher->deleteLater();
        const QDBusPendingReply<uint> reply = *watcher;
        if (reply.isError()) {
            emit Unsent(notice);
            return;
        }
        shown.insert(reply.value(), notice.server);
        // Ids grow, so the first is the oldest.
        if (shown.size() > NoticesKept)
            shown.erase(shown.begin());
    });
}

void DBusNotices::OnActionInvoked(uint id, const QString& actionKey) {
    // The signal reaches every program on the bus: only our own notifications count.
    const auto found = shown.constFind(id);
    if (found == shown.constEnd())
        return;
    if (actionKey == JoinKey)
        emit Chosen(*found, NoticeAction::Join);
    else if (actionKey == ShowKey || actionKey == DefaultKey)
        emit Chosen(*found, NoticeAction::Show);
}
