#include "MainDialog.h"

#include "AboutDialog.h"
#include "AppIcon.h"
#include "AppName.h"
#include "ControlTable.h"
#include "DialogUnits.h"
#include "InfoLists.h"
#include "OptionsDialog.h"
#include "Prompts.h"
#include "QuerySample.h"
#include "RecentCompleter.h"
#include "ServersWindow.h"
#include "SystemMenu.h"
#include "TimerIds.h"

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

MainDialog::MainDialog(Prompts& prompts, QSettings& store, HistoryStore& history, QWidget* parent)
    : QDialog(parent, WindowStyle), prompts(prompts), store(store), history(history), engine(*this),
      updateCycle({engine.state, engine.settings, *this, engine.cycle}), serverLists(store),
      queryStarts({engine.state, engine.fields, engine.cycle, *this, serverLists}),
      gameLaunch(
          {engine.settings, engine.fields, engine.state, *this, updateCycle, processStarter}),
      controls(BuildControls(*this)),
      exchange(MainWindowBindings(controls, engine.fields), prompts) {
    queryTimer.setInterval(TimerPeriodMs);
    updateTimer.setInterval(TimerPeriodMs);
    ConnectEvents();
    // Start-up may ask the user before the window shows. It is placed now where it will show, so
    // that those boxes are centred on it.
    adjustPosition(parentWidget());
    StartUp();
}

MainDialog::~MainDialog() = default;

// Every control's event and its handler, in one place.
void MainDialog::ConnectEvents() {
    connect(controls.queryButton, &QPushButton::clicked, this,
            [this] { queryStarts.OnQueryButton(); });
    connect(controls.serversButton, &QPushButton::clicked, this, &MainDialog::OpenServers);
    connect(controls.aboutButton, &QPushButton::clicked, this, &MainDialog::ShowAbout);
    connect(controls.infoTabs, &QTabBar::currentChanged, this, &MainDialog::OnInfoTabChanged);
    connect(controls.optionsButton, &QPushButton::clicked, this, &MainDialog::OnOptionsButton);
    connect(controls.launchButton, &QPushButton::clicked, this, &MainDialog::LaunchQuake);
    connect(&queryTimer, &QTimer::timeout, this, [this] { OnTimerTick(QueryTimer); });
    connect(&updateTimer, &QTimer::timeout, this, [this] { OnTimerTick(UpdateTimer); });
    connect(controls.updatesButton, &QPushButton::clicked, this,
            [this] { updateCycle.ToggleUpdates(); });
    connect(controls.playerList, &QListWidget::itemSelectionChanged, this,
            [this] { engine.handlers.OnPlayerItemChanging(SelectedPlayer(*controls.playerList)); });
}

void MainDialog::StartUp() {
    ShowFields();
#ifdef Q_OS_WIN
    AppendAboutToSystemMenu(*this);
#endif
    setWindowIcon(AppIcon());
    engine.cycle.OpenFirstSocket();
    engine.settings.LoadSettings(store);
    if (ReadFirstRun(store) == 1) {
        WriteFirstRun(store, 0);
        ShowMessage(QStringLiteral(
            "It apears this is your first time running Vantrel.\r\nYou will now have a chance to "
            "configure Vantrel's options.\r\nYou can get back to these by clicking the options "
            "button from Vantrel's main screen."));
        RunOptions();
    }

    engine.state.autoUpdating = 0;
    engine.state.querying = 0;
    SetUpdatesButtonCaption(QStringLiteral("StartUpdates"));
    {
        // Adding the tabs is no change of tab that the logic should hear of.
        const QSignalBlocker blocker(controls.infoTabs);
        controls.infoTabs->addTab(QStringLiteral("Rule Info"));
        controls.infoTabs->addTab(QStringLiteral("Player Info"));
    }
    SetUpInfoColumns(*controls.ruleList, *controls.detailsList);
    new RecentCompleter(*controls.serverHost, *controls.port, serverLists);
    SelectInfoTab(0);
    controls.progressBar->setRange(0, 100);
    controls.progressBar->setValue(0);

    if (engine.scripts.OpenScriptFiles() == ScriptWriter::OpenResult::GameFolderMissing)
        ShowMessage(QStringLiteral("Quake Directory Doesn't Exist"));
    controls.updatesButton->setEnabled(engine.settings.nametrickery != 0 &&
                                       engine.settings.autoupdate != 0);
    ShowFields();
}

bool MainDialog::RunOptions() {
    OptionsDialog dialog(engine.settings, store, prompts, this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (accepted) {
        engine.settings.SaveSettings(store);
        emit SettingsSaved();
    } else
        engine.settings.LoadSettings(store);
    return accepted;
}

void MainDialog::OnOptionsButton() {
    if (engine.state.querying == 1 || engine.state.autoUpdating == 1) {
        ShowMessage(QStringLiteral("Please stop the current server query/autoupdate or wait for it "
                                   "to complete before opening the options dialog."));
        return;
    }
    if (RunOptions())
        controls.updatesButton->setEnabled(engine.settings.autoupdate == 1);
}

void MainDialog::OpenServers() {
    if (!serversWindow) {
        serversWindow = std::make_unique<ServersWindow>(serverLists, engine.settings, prompts,
                                                        store, history, this);
        connect(serversWindow.get(), &ServersWindow::ServerChosen, this, &MainDialog::ShowServer);
    }
    serversWindow->Open();
}

void MainDialog::ShowServer(const HostPort& server) {
    queryStarts.QueryServer(server);
    showNormal();
    raise();
    activateWindow();
}

void MainDialog::JoinServer(const HostPort& server) {
    ShowServer(server);
    LaunchQuake();
}

void MainDialog::LaunchQuake() {
    if (const std::optional<qint64> game = gameLaunch.LaunchQuake())
        emit GameStarted(*game);
}

void MainDialog::Quit() {
    keepRunning = false;
    done(QDialog::Rejected);
}

void MainDialog::ShowAbout() {
    AboutDialog(this).exec();
}

#ifdef Q_OS_WIN
bool MainDialog::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    if (IsAboutSystemCommand(message)) {
        ShowAbout();
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
#endif

void MainDialog::OnInfoTabChanged(int enteredTab) {
    const int leftTab = shownTab;
    shownTab = enteredTab;
    engine.handlers.OnInfoTabChanging(leftTab);
}

void MainDialog::OnTimerTick(int code) {
    if (code == QueryTimer)
        engine.cycle.QueryTick();
    else if (code == UpdateTimer)
        updateCycle.UpdateTick();
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
    // The program ends with the main window, and the Servers window keeps its place for the next.
    if (serversWindow)
        serversWindow->close();
    // Hidden, the window's query and auto-update go on, for the game that may still be running.
    if (keepRunning) {
        hide();
        return;
    }
    if (engine.state.querying == 1)
        KillTimer(QueryTimer);
    if (engine.state.autoUpdating == 1)
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

void MainDialog::InsertPlayerItem(int playerNumber, const QString& text, int shirt, int pants) {
    InsertInPlayerOrder(*controls.playerList, playerNumber, text, shirt, pants);
}

void MainDialog::AppendRule(const QString& name, const QString& value) {
    AppendRow(*controls.ruleList, name, value);
}

void MainDialog::AppendDetailRows(const DetailRows& rows) {
    for (const DetailRow& row : rows)
        AppendRow(*controls.detailsList, row.label, row.value, row.colour);
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
    prompts.Ok(this, ApplicationName, text);
}

bool MainDialog::AskRetry(const QString& caption, const QString& text) {
    return prompts.RetryCancel(this, caption, text);
}

void MainDialog::QueryEnded(bool answered) {
    history.Record({QuerySample(engine, answered)}, QDateTime::currentDateTimeUtc());
}
