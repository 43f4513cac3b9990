#include "ServersWindow.h"

#include "BuddiesDialog.h"
#include "HistoryNotes.h"
#include "HistoryPane.h"
#include "HistorySamples.h"
#include "HistoryStore.h"
#include "MastersDialog.h"
#include "PlayersPane.h"
#include "PressedServer.h"
#include "ServerFilterControls.h"
#include "ServerHeaderState.h"
#include "ServerRowMenu.h"
#include "ServerTableView.h"
#include "Settings.h"
#include "StoredServerLists.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString StateGroup = QStringLiteral("serverswindow");
const QString GeometryKey = QStringLiteral("geometry");
const QString SplitterKey = QStringLiteral("splitter");

} // namespace

ServersWindow::ServersWindow(StoredServerLists& lists, const Settings& settings, Prompts& prompts,
                             QSettings& store, HistoryStore& history, QWidget* parent,
                             const Clock& clock)
    : QWidget(parent, Qt::Window), lists(lists), settings(settings), prompts(prompts), store(store),
      history(history), clock(clock), proxy(model), refresh(model, clock) {
    setWindowTitle(QStringLiteral("Servers"));
    model.SetOldForeground(palette().color(QPalette::Disabled, QPalette::Text));
    model.SetBuddies(lists.Lists().buddies);
    BuildControls();
    ConnectEvents();
    RestoreState();
    ShowHistoryNotes();
}

ServersWindow::~ServersWindow() = default;

void ServersWindow::BuildControls() {
    filters = new ServerFilterControls(this);
    buddiesButton = new QPushButton(QStringLiteral("&Buddies..."), this);
    buddiesButton->setObjectName(QStringLiteral("buddiesButton"));
    mastersButton = new QPushButton(QStringLiteral("&Masters..."), this);
    refreshButton = new QPushButton(QStringLiteral("&Refresh"), this);
    refreshButton->setToolTip(QStringLiteral("Ask every server again (F5)"));

    splitter = new QSplitter(Qt::Vertical, this);
    table = NewServerTable(proxy, splitter);
    auto* presses = new PressedServer(*table, [this](const QModelIndex& i) { return TargetAt(i); });
    connect(presses, &PressedServer::DoubleClicked, this, &ServersWindow::ServerChosen);

    tabs = new QTabWidget(splitter);
    players = new PlayersPane(tabs);
    historyPane = new HistoryPane(&history, tabs);
    tabs->addTab(players, QStringLiteral("Players"));
    tabs->addTab(historyPane, QStringLiteral("History"));
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);

    status = new QLabel(this);
    status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* top = new QHBoxLayout;
    top->addWidget(filters, 1);
    top->addSpacing(fontMetrics().averageCharWidth() * 2);
    top->addWidget(buddiesButton);
    top->addWidget(mastersButton);
    top->addWidget(refreshButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(splitter, 1);
    layout->addWidget(status);
}

void ServersWindow::ConnectEvents() {
    connect(filters, &ServerFilterControls::Changed, this, &ServersWindow::ApplyFilter);
    connect(refreshButton, &QPushButton::clicked, this, &ServersWindow::Refresh);
    connect(new QShortcut(QKeySequence(Qt::Key_F5), this), &QShortcut::activated, this,
            &ServersWindow::Refresh);
    connect(mastersButton, &QPushButton::clicked, this, &ServersWindow::EditMasters);
    connect(buddiesButton, &QPushButton::clicked, this, &ServersWindow::EditBuddies);
    // Enter on a row chooses it; a view's own activation may come with a single click.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), table);
        enter->setContext(Qt::WidgetShortcut);
        connect(enter, &QShortcut::activated, this, [this] { Choose(table->currentIndex()); });
    }
    connect(table, &QTableView::customContextMenuRequested, this, &ServersWindow::ShowRowMenu);
    connect(&refresh, &TableRefresh::StatusChanged, this, [this](const QString& text) {
        refreshStatus = text;
        ShowStatus();
    });
    connect(&lists, &StoredServerLists::AlertsChanged, this, [this] {
        model.SetBuddies(lists.Lists().buddies);
        model.SetBuddiesSeen(BuddiesSeenText(&history, lists.Lists().buddies));
        ShowStatus();
    });
    connect(&refresh, &TableRefresh::Finished, this, [this] {
        listComplete = true;
        history.Record(SamplesFromRows(model.Rows()), QDateTime::currentDateTimeUtc());
        ShowHistoryNotes();
        ShowSelectedHistory(true);
    });
    connect(&lists, &StoredServerLists::FavouriteChanged, &model, &ServerTableModel::SetFavourite);
    // Answers re-sort the rows and add new ones above the selection; the selected server, if it
    // showed, stays in view.
    const auto noteSelection = [this] {
        const QModelIndex current = table->currentIndex();
        selectionShown = table->selectionModel()->isSelected(current) &&
                         table->viewport()->rect().intersects(table->visualRect(current));
    };
    connect(&proxy, &QAbstractItemModel::layoutAboutToBeChanged, this, noteSelection);
    connect(&proxy, &QAbstractItemModel::rowsAboutToBeInserted, this, noteSelection);
    connect(&proxy, &QAbstractItemModel::layoutChanged, this, &ServersWindow::KeepSelectionInView);
    connect(&proxy, &QAbstractItemModel::rowsInserted, this, &ServersWindow::KeepSelectionInView);
    // The pane follows the selection, and a batch's answer for the selected server.
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        ShowSelectedPlayers();
        ShowSelectedHistory(false);
    });
    connect(&proxy, &QAbstractItemModel::rowsRemoved, this, &ServersWindow::ShowSelectedPlayers);
    connect(&proxy, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& first, const QModelIndex& last) {
                const int selected = table->currentIndex().row();
                if (first.row() <= selected && selected <= last.row())
                    ShowSelectedPlayers();
            });
}

void ServersWindow::Open() {
    show();
    raise();
    activateWindow();
    const bool old = !listComplete || clock.Reading().Milliseconds() - listStartedMs > ListKeptMs;
    if (old && !refresh.Running())
        Refresh();
}

void ServersWindow::Refresh() {
    listStartedMs = clock.Reading().Milliseconds();
    listComplete = false;
    refresh.Start(lists.Lists(), settings.asciiserver == 1);
}

void ServersWindow::EditMasters() {
    MastersDialog dialog(lists.Lists().masters, lists.Lists().games, prompts, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    lists.SetMasters(dialog.Masters(), dialog.Games());
    Refresh();
}

void ServersWindow::EditBuddies() {
    BuddiesDialog dialog(lists.Lists().buddies, BuddiesSeenText(&history, lists.Lists().buddies),
                         this);
    if (dialog.exec() == QDialog::Accepted)
        lists.SetBuddies(dialog.Buddies());
}

void ServersWindow::ShowStatus() {
    const int buddies = model.CurrentTally().buddies;
    const QString seen = buddies == 0   ? QString()
                         : buddies == 1 ? QStringLiteral(", 1 buddy playing")
                                        : QStringLiteral(", %1 buddies playing").arg(buddies);
    const QString noHistory =
        history.Enabled() ? QString() : QStringLiteral("; ") + history.Problem();
    status->setText(refreshStatus + seen + lists.StatusNote() + noHistory);
}

QString ServersWindow::StatusText() const {
    return status->text();
}

void ServersWindow::ApplyFilter(const ServerFilter& filter) {
    proxy.SetFilter(filter);
    ShowSelectedPlayers();
}

HostPort ServersWindow::TargetAt(const QModelIndex& index) const {
    return model.Row(proxy.mapToSource(index).row()).target;
}

void ServersWindow::Choose(const QModelIndex& index) {
    if (index.isValid())
        emit ServerChosen(TargetAt(index));
}

void ServersWindow::ShowSelectedPlayers() {
    const QModelIndex current = table->currentIndex();
    const bool selected = current.isValid() && table->selectionModel()->isSelected(current);
    players->Show(selected ? &model.Row(proxy.mapToSource(current).row()) : nullptr,
                  settings.asciinames, proxy.Filter().player);
}

void ServersWindow::ShowSelectedHistory(bool again) {
    const QModelIndex current = table->currentIndex();
    const bool selected = current.isValid() && table->selectionModel()->isSelected(current);
    const QString server = selected ? HostPortText(TargetAt(current)) : QString();
    if (server == historyServer && !again)
        return;
    historyServer = server;
    historyPane->Show(server, QDateTime::currentDateTimeUtc(), settings.asciinames);
}

void ServersWindow::ShowHistoryNotes() {
    model.SetLastSeen(LastAnsweredTimes(&history));
    model.SetBuddiesSeen(BuddiesSeenText(&history, lists.Lists().buddies));
}

void ServersWindow::KeepSelectionInView() {
    if (selectionShown)
        table->scrollTo(table->currentIndex());
}

std::unique_ptr<QMenu> ServersWindow::RowMenu(const QModelIndex& index) {
    return ServerRowMenu(model.Row(proxy.mapToSource(index).row()), lists, prompts, this,
                         [this](const HostPort& server) { emit ServerChosen(server); });
}

void ServersWindow::ShowRowMenu(const QPoint& position) {
    const QModelIndex index = table->indexAt(position);
    if (index.isValid())
        RowMenu(index)->exec(table->viewport()->mapToGlobal(position));
}

void ServersWindow::hideEvent(QHideEvent* event) {
    SaveState();
    QWidget::hideEvent(event);
}

void ServersWindow::closeEvent(QCloseEvent* event) {
    refresh.Stop();
    QWidget::closeEvent(event);
}

void ServersWindow::RestoreState() {
    store.beginGroup(StateGroup);
    const bool placed = restoreGeometry(store.value(GeometryKey).toByteArray());
    RestoreServerHeader(*table->horizontalHeader(), store);
    splitter->restoreState(store.value(SplitterKey).toByteArray());
    store.endGroup();
    if (!placed)
        resize(fontMetrics().averageCharWidth() * 130, fontMetrics().height() * 44);
}

void ServersWindow::SaveState() const {
    store.beginGroup(StateGroup);
    store.setValue(GeometryKey, saveGeometry());
    SaveServerHeader(*table->horizontalHeader(), store);
    store.setValue(SplitterKey, splitter->saveState());
    store.endGroup();
    store.sync();
}
