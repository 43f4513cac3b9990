#include "WatchSession.h"

#include "AppIcon.h"
#include "HistorySamples.h"
#include "HistoryStore.h"
#include "MainDialog.h"
#include "NoticeSender.h"
#include "WatchNotice.h"

WatchSession::WatchSession(MainDialog& dialog, std::unique_ptr<NoticeSender> desktopNotices,
                           bool trayAvailable)
    : dialog(dialog), trayAvailable(trayAvailable), tray(AppIcon()), trayNotices(tray.Icon()),
      desktop(std::move(desktopNotices)), notifications(desktop.get(), trayNotices) {
    StoredServerLists& lists = dialog.Lists();
    connect(&lists, &StoredServerLists::AlertsChanged, this, &WatchSession::Apply);
    connect(&lists, &StoredServerLists::RecentChanged, this, &WatchSession::Apply);
    connect(&lists, &StoredServerLists::FavouriteChanged, this, &WatchSession::Apply);
    connect(&dialog, &MainDialog::SettingsSaved, this, &WatchSession::Apply);
    connect(&dialog, &MainDialog::GameStarted, &notifications, &Notifications::GameStarted);
    connect(&watch, &ServerWatch::Event, this, [this](const WatchEvent& event) {
        if (const std::optional<Notice> notice = WatchNotice(event))
            notifications.Notify(*notice);
    });
    connect(&notifications, &Notifications::Chosen, this, &WatchSession::OnChosen);
    connect(&watch, &ServerWatch::RefreshEnded, this, [this] {
        this->dialog.History().Record(SamplesFromRows(watch.Servers().Rows()),
                                      QDateTime::currentDateTimeUtc());
    });
    connect(&tray, &AppTray::ShowRequested, &dialog, [&dialog] {
        dialog.showNormal();
        dialog.raise();
        dialog.activateWindow();
    });
    connect(&tray, &AppTray::ServersRequested, &dialog, &MainDialog::OpenServers);
    connect(&tray, &AppTray::PauseToggled, &notifications, &Notifications::SetPaused);
    connect(&tray, &AppTray::QuitRequested, &dialog, &MainDialog::Quit);
    Apply();
    // With nothing to watch the watch asks nobody; it starts asking at the next tick after a
    // buddy or an alert is set.
    watch.Start();
}

WatchSession::~WatchSession() = default;

void WatchSession::Apply() {
    watch.SetLists(dialog.Lists().Lists());
    watch.SetSeconds(dialog.CurrentSettings().watchseconds);
    const bool inTray = trayAvailable && watch.Watching();
    tray.Icon().setVisible(inTray);
    dialog.SetKeepRunning(inTray);
    // The window must not stay hidden once no tray icon can bring it back.
    if (!inTray && dialog.isHidden())
        dialog.showNormal();
}

void WatchSession::OnChosen(const HostPort& server, NoticeAction action) {
    if (action == NoticeAction::Join)
        dialog.JoinServer(server);
    else
        dialog.ShowServer(server);
}
