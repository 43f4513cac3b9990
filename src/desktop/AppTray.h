#pragma once

#include <QMenu>
#include <QSystemTrayIcon>

// The tray icon and its menu: Show Vantrel, Servers..., Pause notifications and Quit. A click on
// the icon shows the main window too.
class AppTray final : public QObject {
    Q_OBJECT

public:
    explicit AppTray(const QIcon& icon, QObject* parent = nullptr);

    QSystemTrayIcon& Icon() { return icon; }

signals:
    void ShowRequested();
    void ServersRequested();
    void PauseToggled(bool paused);
    void QuitRequested();

private:
    QMenu menu;
    QSystemTrayIcon icon;
};
