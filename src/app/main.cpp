#include "HistoryStore.h"
#include "HourlyRollUp.h"
#include "MainDialog.h"
#include "MessageBoxPrompts.h"
#include "PlatformNotices.h"
#include "Settings.h"
#include "WatchSession.h"

#include <QApplication>
#include <QSettings>

// The program ends when the main window ends. With a watch and a system tray, closing the window
// only hides it, and the tray menu's Quit ends it. The settings store takes the application's
// name from the executable's file name. A history that cannot be used is off; the Servers window
// says why.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Vantrel"));
    QApplication::setQuitOnLastWindowClosed(false);
    const std::unique_ptr<QSettings> store = OpenSettingsStore();
    MessageBoxPrompts prompts;
    HistoryStore history;
    history.Open(HistoryStore::DefaultPath());
    const HourlyRollUp rollUp(history);
    MainDialog dialog(prompts, *store, history);
    QObject::connect(&dialog, &QDialog::finished, &app, &QCoreApplication::quit);
    WatchSession session(dialog, PlatformNotices(), QSystemTrayIcon::isSystemTrayAvailable());
    dialog.show();
    return QApplication::exec();
}
