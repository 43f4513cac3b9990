#include "MainControls.h"

#include "HostPort.h"
#include "MainFields.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>

MainControls FindMainControls(QWidget& window) {
    return {
        ControlNamed<QTreeWidget>(window, "detailsList"),
        ControlNamed<QLineEdit>(window, "serverHost"),
        ControlNamed<QLineEdit>(window, "port"),
        ControlNamed<QPushButton>(window, "serversButton"),
        ControlNamed<QPushButton>(window, "queryButton"),
        ControlNamed<QListWidget>(window, "playerList"),
        ControlNamed<QLineEdit>(window, "serverAddress"),
        ControlNamed<QLineEdit>(window, "serverName"),
        ControlNamed<QLineEdit>(window, "currentPlayers"),
        ControlNamed<QLineEdit>(window, "maxPlayers"),
        ControlNamed<QLineEdit>(window, "mapName"),
        ControlNamed<QProgressBar>(window, "progressBar"),
        ControlNamed<QTreeWidget>(window, "ruleList"),
        ControlNamed<QTabBar>(window, "infoTabs"),
        ControlNamed<QPushButton>(window, "aboutButton"),
        ControlNamed<QPushButton>(window, "optionsButton"),
        ControlNamed<QPushButton>(window, "launchButton"),
        ControlNamed<QPushButton>(window, "updatesButton"),
        ControlNamed<QLineEdit>(window, "ping"),
    };
}

std::vector<ExchangeBinding> MainWindowBindings(const MainControls& c, MainFields& f) {
    return {
        {c.serverName, &f.serverName, {}},
        {c.currentPlayers, &f.currentPlayers, {}},
        {c.maxPlayers, &f.maxPlayers, {}},
        {c.serverHost, &f.serverHost, {}},
        {c.mapName, &f.mapName, {}},
        {c.port, &f.port, std::pair{LowestPort, HighestPort}},
        {c.serverAddress, &f.serverAddress, {}},
        {c.ping, &f.ping, {}},
    };
}
