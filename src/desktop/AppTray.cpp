#include "AppTray.h"

#include <QAction>

AppTray::AppTray(const QIcon& trayIcon, QObject* parent) : QObject(parent), icon(trayIcon) {
    icon.setToolTip(QStringLiteral("Vantrel"));
    connect(menu.addAction(QStringLiteral("Show Vantrel")), &QAction::triggered, this,
            &AppTray::ShowRequested);
    connect(menu.addAction(QStringLiteral("Servers...")), &QAction::triggered, this,
            &AppTray::ServersRequested);
    QAction* pause = menu.addAction(QStringLiteral("Pause notifications"));
    pause->setCheckable(true);
    connect(pause, &QAction::toggled, this, &AppTray::PauseToggled);
    menu.addSeparator();
    connect(menu.addAction(QStringLiteral("Quit")), &QAction::triggered, this,
            &AppTray::QuitRequested);
    icon.setContextMenu(&menu);
    connect(&icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                if (why == QSystemTrayIcon::Trigger || why == QSystemTrayIcon::DoubleClick)
                    emit ShowRequested();
            });
}
