#pragma once

class DialogUnits;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTabBar;
class QTreeWidget;
class QWidget;
struct WindowTemplate;

// The main window's controls, created from its template.
struct MainControls {
    QTreeWidget* detailsList;
    QLineEdit* serverHost;
    QLineEdit* port;
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

// Creates every control of the template as a child of window, placed in pixels, in template
// order, and sizes the window.
void CreateControls(QWidget& window, const WindowTemplate& layout, const DialogUnits& units);

// Finds the named controls that CreateControls made for the main window's template.
MainControls FindMainControls(QWidget& window);
