#include "ServersWindow.h"

#include "MastersDialog.h"
#include "PressedServer.h"
#include "ServerColumns.h"
#include "Settings.h"
#include "StoredServerLists.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString StateGroup = QStringLiteral("serverswindow");
const QString GeometryKey = QStringLiteral("geometry");
const QString HeaderKey = QStringLiteral("header");

} // namespace

ServersWindow::ServersWindow(StoredServerLists& lists, const Settings& settings, Prompts& prompts,
                             QSettings& store, QWidget* parent, const Clock& clock)
    : QWidget(parent, Qt::Window), lists(lists), settings(settings), prompts(prompts), store(store),
      clock(clock), proxy(model), refresh(model, clock) {
    setWindowTitle(QStringLiteral("Servers"));
    model.SetOldForeground(palette().color(QPalette::Disabled, QPalette::Text));
    BuildControls();
    ConnectEvents();
    RestoreState();
}

ServersWindow::~ServersWindow() = default;

void ServersWindow::BuildControls() {
    filterText = new QLineEdit(this);
    filterText->setPlaceholderText(QStringLiteral("name, map or address"));
    filterText->setClearButtonEnabled(true);
    auto* filterLabel = new QLabel(QStringLiteral("&Filter:"), this);
    filterLabel->setBuddy(filterText);
    hideEmpty = new QCheckBox(QStringLiteral("Hide &empty"), this);
    hideFull = new QCheckBox(QStringLiteral("Hide f&ull"), this);
    mastersButton = new QPushButton(QStringLiteral("&Masters..."), this);
    refreshButton = new QPushButton(QStringLiteral("&Refresh"), this);
    refreshButton->setToolTip(QStringLiteral("Ask every server again (F5)"));

    table = new QTableView(this);
    table->setModel(&proxy);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setAlternatingRowColors(true);
    table->setShowGrid(false);
    table->setWordWrap(false);
    table->setContextMenuPolicy(Qt::CustomContextMenu);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setHighlightSections(false);
    table->setSortingEnabled(true);
    auto* presses = new PressedServer(*table, [this](const QModelIndex& i) { return TargetAt(i); });
    connect(presses, &PressedServer::DoubleClicked, this, &ServersWindow::ServerChosen);

    status = new QLabel(this);
    status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* top = new QHBoxLayout;
    top->addWidget(filterLabel);
    top->addWidget(filterText, 1);
    top->addWidget(hideEmpty);
    top->addWidget(hideFull);
    top->addSpacing(fontMetrics().averageCharWidth() * 2);
    top->addWidget(mastersButton);
    top->addWidget(refreshButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table, 1);
    layout->addWidget(status);
}

void ServersWindow::ConnectEvents() {
    connect(filterText, &QLineEdit::textChanged, this, &ServersWindow::ApplyFilter);
    connect(hideEmpty, &QCheckBox::toggled, this, &ServersWindow::ApplyFilter);
    connect(hideFull, &QCheckBox::toggled, this, &ServersWindow::ApplyFilter);
    connect(refreshButton, &QPushButton::clicked, this, &ServersWindow::Refresh);
    connect(new QShortcut(QKeySequence(Qt::Key_F5), this), &QShortcut::activated, this,
            &ServersWindow::Refresh);
    connect(mastersButton, &QPushButton::clicked, this, &ServersWindow::EditMasters);
    // Enter on a row chooses it; a view's own activation may come with a single click.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), table);
        enter->setContext(Qt::WidgetShortcut);
        connect(enter, &QShortcut::activated, this, [this] { Choose(table->currentIndex()); });
    }
    connect(table, &QTableView::customContextMenuRequested, this, &ServersWindow::ShowRowMenu);
    connect(&refresh, &TableRefresh::StatusChanged, status,
            [this](const QString& text) { status->setText(text + lists.StatusNote()); });
    connect(&refresh, &TableRefresh::Finished, this, [this] { listComplete = true; });
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

QString ServersWindow::StatusText() const {
    return status->text();
}

void ServersWindow::ApplyFilter() {
    proxy.SetFilter({filterText->text(), hideEmpty->isChecked(), hideFull->isChecked()});
}

HostPort ServersWindow::TargetAt(const QModelIndex& index) const {
    return model.Row(proxy.mapToSource(index).row()).target;
}

void ServersWindow::Choose(const QModelIndex& index) {
    if (index.isValid())
        emit ServerChosen(TargetAt(index));
}

void ServersWindow::KeepSelectionInView() {
    if (selectionShown)
        table->scrollTo(table->currentIndex());
}

std::unique_ptr<QMenu> ServersWindow::RowMenu(const QModelIndex& index) {
    auto menu = std::make_unique<QMenu>(this);
    const ServerRow& row = model.Row(proxy.mapToSource(index).row());
    const HostPort server = row.target;
    // The shown name first: it is the one a new favourite is stored under.
    const QList<HostPort> names = QList<HostPort>{server} + row.names;
    QAction* query = menu->addAction(QStringLiteral("&Query"));
    menu->setDefaultAction(query);
    connect(query, &QAction::triggered, this, [this, server] { emit ServerChosen(server); });
    menu->addSeparator();
    const bool favourite = lists.IsFavourite(names);
    QAction* mark = menu->addAction(favourite ? QStringLiteral("&Remove from favourites")
                                              : QStringLiteral("&Add to favourites"));
    connect(mark, &QAction::triggered, this,
            [this, names, favourite] { lists.SetFavourite(names, !favourite); });
    QAction* copy = menu->addAction(QStringLiteral("&Copy address"));
    connect(copy, &QAction::triggered, this,
            [server] { QGuiApplication::clipboard()->setText(HostPortText(server)); });
    return menu;
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
    const bool columns =
        table->horizontalHeader()->restoreState(store.value(HeaderKey).toByteArray());
    store.endGroup();
    if (!placed)
        resize(fontMetrics().averageCharWidth() * 130, fontMetrics().height() * 44);
    if (!columns) {
        table->sortByColumn(PlayersColumn, Qt::DescendingOrder);
        // No narrower than the title with its sort mark.
        QHeaderView& header = *table->horizontalHeader();
        for (int column = 0; column < ServerColumnCount; ++column) {
            header.resizeSection(
                column, std::max(fontMetrics().averageCharWidth() * ColumnInfo(column).widthChars,
                                 header.sectionSizeHint(column)));
            header.setSectionHidden(column, ColumnInfo(column).hiddenByDefault);
        }
    }
}

void ServersWindow::SaveState() const {
    store.beginGroup(StateGroup);
    store.setValue(GeometryKey, saveGeometry());
    store.setValue(HeaderKey, table->horizontalHeader()->saveState());
    store.endGroup();
    store.sync();
}
