// vantrel-screenshots: opens Vantrel on the demo's options beside the running demo servers,
// queries the first of them, refreshes the Servers window until a buddy shows, and saves a
// picture of each window: main-window.png and servers-window.png in the folder named; then the
// History tab of the demo's favourite, in the default palette and in a dark one:
// history-light.png and history-dark.png.
#include "HistoryPane.h"
#include "HistoryStore.h"
#include "MainDialog.h"
#include "MessageBoxPrompts.h"
#include "ServerColumns.h"
#include "ServersWindow.h"
#include "Settings.h"
#include "TemplateWidgets.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <cstdio>
#include <functional>

namespace {

constexpr int QueryWaitMs = 5'000;
// The demo's buddy joins a quarter of a minute after its start: the list is refreshed until he
// shows, a few times at most.
constexpr int BuddyRefreshes = 8;
constexpr int RefreshWaitMs = 5'000;

int Fail(const char* message) {
    std::fprintf(stderr, "vantrel-screenshots: %s\n", message);
    return 1;
}

bool Save(QWidget& window, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    if (!window.grab().save(path))
        return false;
    std::printf("%s\n", qPrintable(path));
    return true;
}

// Lets the event loop run until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}

// The table's first row with a buddy on its server, or -1.
int BuddyRow(const QTableView& table) {
    const QAbstractItemModel& model = *table.model();
    for (int row = 0; row < model.rowCount(); ++row)
        if (!model.index(row, BuddiesColumn).data().toString().isEmpty())
            return row;
    return -1;
}

// The table's row of the server at this address, or -1.
int AddressRow(const QTableView& table, const QString& address) {
    const QAbstractItemModel& model = *table.model();
    for (int row = 0; row < model.rowCount(); ++row)
        if (model.index(row, AddressColumn).data().toString() == address)
            return row;
    return -1;
}

// A dark palette of the kind dark desktop themes give.
QPalette DarkPalette() {
    QPalette dark;
    const QColor text(0xe0, 0xe0, 0xe0);
    dark.setColor(QPalette::Window, QColor(0x2d, 0x2d, 0x30));
    dark.setColor(QPalette::WindowText, text);
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::AlternateBase, QColor(0x28, 0x28, 0x2b));
    dark.setColor(QPalette::Text, text);
    dark.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3d));
    dark.setColor(QPalette::ButtonText, text);
    dark.setColor(QPalette::Highlight, QColor(0x3d, 0x8e, 0xe6));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    return dark;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Vantrel"));
    // The demo's options are the program's, not this tool's.
    QCoreApplication::setApplicationName(QStringLiteral("vantrel"));
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2)
        return Fail("usage: vantrel-screenshots FOLDER");
    const QDir folder(args[1]);

    const std::unique_ptr<QSettings> store = OpenSettingsStore();
    MessageBoxPrompts prompts;
    HistoryStore history;
    history.Open(HistoryStore::DefaultPath());
    MainDialog dialog(prompts, *store, history);
    dialog.show();
    ControlNamed<QLineEdit>(dialog, "serverHost")->setText(QStringLiteral("127.0.0.1"));
    ControlNamed<QLineEdit>(dialog, "port")->setText(QStringLiteral("26000"));
    ControlNamed<QPushButton>(dialog, "queryButton")->click();
    if (!WaitFor([&] { return dialog.windowTitle().contains(QStringLiteral("Sucsess")); },
                 QueryWaitMs))
        return Fail("the demo server at 127.0.0.1:26000 did not answer; is the demo running?");
    if (!Save(dialog, folder, QStringLiteral("main-window.png")))
        return Fail("could not write the main window's picture");

    dialog.OpenServers();
    ServersWindow& servers = *dialog.Servers();
    servers.resize(1000, 820);
    int row = -1;
    for (int i = 0; i < BuddyRefreshes && row < 0; ++i) {
        if (i > 0)
            servers.Refresh();
        WaitFor([&] { return !servers.Refresher().Running(); }, RefreshWaitMs);
        row = BuddyRow(servers.Table());
    }
    if (row < 0)
        return Fail("the buddy did not show on any demo server");
    servers.Table().selectRow(row);
    // The players pane follows the selection once the events of the change are handled.
    QCoreApplication::processEvents();
    if (!Save(servers, folder, QStringLiteral("servers-window.png")))
        return Fail("could not write the Servers window's picture");

    const int favourite = AddressRow(servers.Table(), QStringLiteral("127.0.0.1:26000"));
    if (favourite < 0)
        return Fail("the demo's favourite is not listed");
    servers.Table().selectRow(favourite);
    servers.Tabs().setCurrentWidget(&servers.History());
    servers.resize(1000, 1000);
    servers.findChild<QSplitter*>()->setSizes({160, 840});
    QCoreApplication::processEvents();
    servers.Table().scrollTo(servers.Table().currentIndex());
    if (!Save(servers, folder, QStringLiteral("history-light.png")))
        return Fail("could not write the History tab's picture");
    QApplication::setPalette(DarkPalette());
    QCoreApplication::processEvents();
    if (!Save(servers, folder, QStringLiteral("history-dark.png")))
        return Fail("could not write the History tab's dark picture");
    return 0;
}
