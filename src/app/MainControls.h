#pragma once

#include "DataExchange.h"
#include "TemplateWidgets.h"

#include <vector>

class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTabBar;
class QTreeWidget;
struct MainFields;

// The main window's controls, created from its template.
struct MainControls {
    QTreeWidget* detailsList;
    QLineEdit* serverHost;
    QLineEdit* port;
    QPushButton* serversButton;
    QPushButton* queryButton;
    QListWidget* playerList;
    QLineEdit* serverAddress;
    QLineEdit* serverName;
    QLineEdit* currentPlayers;
    QLineEdit* maxPlayers;
    QLineEdit* mapName;
    QProgressBar* progressBar;
    QTreeWidget* ruleList;
    QTabBar* infoTabs;
    QPushButton* aboutButton;
    QPushButton* optionsButton;
    QPushButton* launchButton;
    QPushButton* updatesButton;
    QLineEdit* ping;
};

// Finds the named controls that CreateControls made for the main window's template.
MainControls FindMainControls(QWidget& window);

// The main window's fields and their controls, in the order in which they are exchanged.
std::vector<ExchangeBinding> MainWindowBindings(const MainControls& controls, MainFields& fields);
