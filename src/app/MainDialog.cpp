#include "MainDialog.h"

#include "AppIcon.h"
#include "AppName.h"
#include "ControlTable.h"
#include "DialogUnits.h"
#include "InfoLists.h"
#include "Prompts.h"
#include "query/TimerIds.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTreeWidget>
#include <algorithm>

namespace {

constexpr int TimerPeriodMs = 1000;

constexpr Qt::WindowFlags WindowStyle = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                        Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                        Qt::WindowCloseButtonHint;

MainControls BuildControls(QWidget& window) {
    CreateControls(window, MainWindowTemplate(), DialogUnits::ForFont(window.font()));
    return FindMainControls(window);
}

} // namespace

MainDialog::MainDialog(Prompts& prompts, QSettings& store, QWidget* parent)
    : QDialog(parent, WindowStyle), prompts(prompts), store(store), scripts(settings),
      replyHandlers({state, fields, settings, buffer, scripts, names, *this}),
      queryCycle({state, fields, settings, buffer, scripts, *this, replyHandlers,
                  SteadyClock::Instance()}),
      controls(BuildControls(*this)), exchange(controls, fields, prompts) {
    replyHandlers.SetCycle(queryCycle);
    queryTimer.setInterval(TimerPeriodMs);
    updateTimer.setInterval(TimerPeriodMs);
    ConnectEvents();
    StartUp();
}

MainDialog::~MainDialog() = default;

// Every control's event and its handler, in one place.
void MainDialog::ConnectEvents() {
    connect(controls.queryButton, &QPushButton::clicked, this,
            [this] { queryCycle.OnQueryButton(); });
    connect(controls.infoTabs, &QTabBar::currentChanged, this, &MainDialog::OnInfoTabChanged);
    connect(&queryTimer, &QTimer::timeout, this, [this] { OnTimerTick(QueryTimer); });
    connect(&updateTimer, &QTimer::timeout, this, [this] { OnTimerTick(UpdateTimer); });
    connect(controls.playerList, &QListWidget::itemSelectionChanged, this,
            [this] { replyHandlers.OnPlayerItemChanging(SelectedPlayer(*controls.playerList)); });
}

void MainDialog::StartUp() {
    ShowFields();
    setWindowIcon(AppIcon());
    queryCycle.OpenFirstSocket();
    settings.LoadSettings(store);

    state.autoUpdating = 0;
    state.querying = 0;
    SetUpdatesButtonCaption(QStringLiteral("StartUpdates"));
    {
        // Adding the tabs is no change of tab that the logic should hear of.
        const QSignalBlocker blocker(controls.infoTabs);
        controls.infoTabs->addTab(QStringLiteral("Rule Info"));
        controls.infoTabs->addTab(QStringLiteral("Player Info"));
    }
    SetUpInfoColumns(*controls.ruleList, *controls.detailsList);
    SelectInfoTab(0);
    controls.progressBar->setRange(0, 100);
    controls.progressBar->setValue(0);

    if (scripts.OpenScriptFiles() == ScriptWriter::OpenResult::GameFolderMissing)
        ShowMessage(QStringLiteral("Quake Directory Doesn't Exist"));
    controls.updatesButton->setEnabled(settings.nametrickery != 0 && settings.autoupdate != 0);
    ShowFields();
}

void MainDialog::OnInfoTabChanged(int enteredTab) {
    const int leftTab = shownTab;
    shownTab = enteredTab;
    replyHandlers.OnInfoTabChanging(leftTab);
}

void MainDialog::OnTimerTick(int code) {
    if (code == QueryTimer)
        queryCycle.QueryTick();
}

QTimer* MainDialog::Timer(int id) {
    if (id == QueryTimer)
        return &queryTimer;
    if (id == UpdateTimer)
        return &updateTimer;
    return nullptr;
}

bool MainDialog::TimerArmed(int id) const {
    return (id == QueryTimer && queryTimer.isActive()) ||
           (id == UpdateTimer && updateTimer.isActive());
}

void MainDialog::done(int result) {
    if (state.querying == 1)
        KillTimer(QueryTimer);
    if (state.autoUpdating == 1)
        KillTimer(UpdateTimer);
    QDialog::done(result);
}

bool MainDialog::ReadFields() {
    return exchange.FromControls();
}

void MainDialog::ShowFields() {
    exchange.ToControls();
}

void MainDialog::SetWindowCaption(const QString& caption) {
    setWindowTitle(caption);
}

void MainDialog::SetQueryButtonCaption(const QString& caption) {
    controls.queryButton->setText(caption);
}

void MainDialog::SetQueryButtonEnabled(bool enabled) {
    controls.queryButton->setEnabled(enabled);
}

void MainDialog::SetUpdatesButtonCaption(const QString& caption) {
    controls.updatesButton->setText(caption);
}

void MainDialog::SetTimer(int id) {
    if (QTimer* timer = Timer(id))
        timer->start();
}

void MainDialog::KillTimer(int id) {
    if (QTimer* timer = Timer(id))
        timer->stop();
}

int MainDialog::Progress() const {
    return controls.progressBar->value();
}

void MainDialog::SetProgress(int position) {
    // The bar holds a position outside its range at the nearer end, as the platform's does.
    QProgressBar& bar = *controls.progressBar;
    bar.setValue(std::clamp(position, bar.minimum(), bar.maximum()));
}

void MainDialog::InsertPlayerItem(int playerNumber, const QString& text) {
    InsertInPlayerOrder(*controls.playerList, playerNumber, text);
}

void MainDialog::AppendRule(const QString& name, const QString& value) {
    AppendRow(*controls.ruleList, name, value);
}

void MainDialog::AppendDetailRows(const DetailRows& rows) {
    for (const DetailRow& row : rows)
        AppendRow(*controls.detailsList, row.label, row.value);
}

void MainDialog::ClearDetails() {
    controls.detailsList->clear();
}

void MainDialog::ClearLists() {
    {
        // Emptying the player list is no change of selection that the logic should hear of.
        const QSignalBlocker blocker(controls.playerList);
        controls.playerList->clear();
    }
    controls.ruleList->clear();
    controls.detailsList->clear();
}

void MainDialog::SelectInfoTab(int tab) {
    {
        const QSignalBlocker blocker(controls.infoTabs);
        controls.infoTabs->setCurrentIndex(tab);
    }
    shownTab = tab;
    ShowInfoList(tab);
}

void MainDialog::ShowInfoList(int tab) {
    const bool details = tab == 1;
    controls.ruleList->setVisible(!details);
    controls.detailsList->setVisible(details);
}

void MainDialog::ShowMessage(const QString& text) {
    prompts.Ok(ApplicationName, text);
}

bool MainDialog::AskRetry(const QString& caption, const QString& text) {
    return prompts.RetryCancel(caption, text);
}
