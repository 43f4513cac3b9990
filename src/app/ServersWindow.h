#pragma once

#include "HostPort.h"
#include "ServerFilterProxy.h"
#include "ServerTableModel.h"
#include "TableRefresh.h"

#include <QWidget>
#include <memory>

class HistoryPane;
class HistoryStore;
class PlayersPane;
class Prompts;
class QLabel;
class QMenu;
class QPushButton;
class QSettings;
class QSplitter;
class QTabWidget;
class QTableView;
class ServerFilterControls;
class StoredServerLists;
struct Settings;

// The Servers window: the favourites, the recent servers and the masters' lists in one table,
// with a filter, a refresh, the buddies and the masters to ask, and under the table the selected
// server's players and, in a tab beside them, its history. It sits beside the main window, neither
// modal nor of fixed size, and keeps its size, its columns' widths, hidden columns and sort order
// in the store. Choosing a server (double-click or Enter) hands it to the main window. Rows move as
// answers arrive, so a double-click takes the server that was under the pointer at its press. A
// refresh that reaches its end goes into the history.
class ServersWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int ListKeptMs = 60'000;

    ServersWindow(StoredServerLists& lists, const Settings& settings, Prompts& prompts,
                  QSettings& store, HistoryStore& history, QWidget* parent = nullptr,
                  const Clock& clock = SteadyClock::Instance());
    ~ServersWindow() override;

    // Shows and raises the window, and refreshes a list older than ListKeptMs, or one whose
    // refresh never reached its end.
    void Open();
    void Refresh();
    // The Masters... button: edits the masters and game names, and refreshes when they change.
    void EditMasters();
    // The Buddies... button: edits the names the Buddies column looks out for.
    void EditBuddies();
    // The context menu of the server at this index of the view.
    std::unique_ptr<QMenu> RowMenu(const QModelIndex& index);

    TableRefresh& Refresher() { return refresh; }
    QTableView& Table() { return *table; }
    const PlayersPane& Players() const { return *players; }
    HistoryPane& History() { return *historyPane; }
    QTabWidget& Tabs() { return *tabs; }
    QString StatusText() const;

signals:
    void ServerChosen(const HostPort& server);

protected:
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void ConnectEvents();
    void ApplyFilter(const ServerFilter& filter);
    // The refresh's status, the buddies playing, why no change to the lists is kept and why no
    // history is.
    void ShowStatus();
    void Choose(const QModelIndex& index);
    void ShowSelectedPlayers();
    // The History tab follows the selection; a refresh's answers change it only at its end.
    void ShowSelectedHistory(bool again);
    // The Last seen column and the buddies' tool tip, from the history.
    void ShowHistoryNotes();
    void KeepSelectionInView();
    void ShowRowMenu(const QPoint& position);
    void RestoreState();
    void SaveState() const;
    HostPort TargetAt(const QModelIndex& index) const;

    StoredServerLists& lists;
    const Settings& settings;
    Prompts& prompts;
    QSettings& store;
    HistoryStore& history;
    const Clock& clock;
    ServerTableModel model;
    ServerFilterProxy proxy;
    TableRefresh refresh;

    ServerFilterControls* filters;
    QPushButton* buddiesButton;
    QPushButton* mastersButton;
    QPushButton* refreshButton;
    QSplitter* splitter;
    QTableView* table;
    QTabWidget* tabs;
    PlayersPane* players;
    HistoryPane* historyPane;
    // The server the History tab was last given.
    QString historyServer;
    QLabel* status;
    QString refreshStatus;

    // When the list's last refresh started, and whether it reached its end.
    std::int64_t listStartedMs = 0;
    bool listComplete = false;
    // Whether the selected row showed before the rows moved.
    bool selectionShown = false;
};
