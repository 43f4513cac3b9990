#include "TrayNotices.h"

#include <QSystemTrayIcon>

namespace {

constexpr int MessageShownMs = 10'000;

} // namespace

TrayNotices::TrayNotices(QSystemTrayIcon& tray, QObject* parent)
    : NoticeSender(parent), tray(tray) {
    connect(&tray, &QSystemTrayIcon::messageClicked, this,
            [this] { emit Chosen(lastServer, NoticeAction::Show); });
}

void TrayNotices::Send(const Notice& notice) {
    lastServer = notice.server;
    tray.showMessage(notice.summary, notice.body, tray.icon(), MessageShownMs);
}
