#pragma once

#include "DataExchange.h"
#include "GameLaunch.h"
#include "MainControls.h"
#include "MainView.h"
#include "QueryEngine.h"
#include "QueryStarts.h"
#include "StoredServerLists.h"
#include "UpdateCycle.h"

#include <QDialog>
#include <QTimer>
#include <memory>

class HistoryStore;
class Prompts;
class QSettings;
class ServersWindow;

// The main window. It owns the program's state and logic, shows what the logic tells it and
// hands every control's event to the logic's handler; it decides nothing itself. Each query's
// answer or silence goes into the history.
class MainDialog final : public QDialog, public MainView {
    Q_OBJECT

public:
    MainDialog(Prompts& prompts, QSettings& store, HistoryStore& history,
               QWidget* parent = nullptr);
    ~MainDialog() override;

    void OnTimerTick(int code);
    bool TimerArmed(int id) const;

    QueryState& State() { return engine.state; }
    MainFields& Fields() { return engine.fields; }
    Settings& CurrentSettings() { return engine.settings; }
    const PlayerSlots& Players() const { return engine.handlers.Players(); }
    // The Servers window, once the Servers... button has opened it.
    ServersWindow* Servers() const { return serversWindow.get(); }
    // The Servers... button: opens the Servers window, or raises it and refreshes an old list.
    void OpenServers();
    // A server chosen elsewhere (the Servers window, a notification): the window comes to the
    // front and queries it.
    void ShowServer(const HostPort& server);
    // The same, then Launch Quake starts the game connected to it.
    void JoinServer(const HostPort& server);
    // With a tray icon to bring it back, closing the window hides it and the program runs on.
    void SetKeepRunning(bool keep) { keepRunning = keep; }
    // Ends the program, as closing the window does without a tray.
    void Quit();
    StoredServerLists& Lists() { return serverLists; }
    HistoryStore& History() { return history; }

    bool ReadFields() override;
    void ShowFields() override;
    void SetWindowCaption(const QString& caption) override;
    void SetQueryButtonCaption(const QString& caption) override;
    void SetQueryButtonEnabled(bool enabled) override;
    void SetUpdatesButtonCaption(const QString& caption) override;
    void SetTimer(int id) override;
    void KillTimer(int id) override;
    int Progress() const override;
    void SetProgress(int position) override;
    void InsertPlayerItem(int playerNumber, const QString& text, int shirt, int pants) override;
    void AppendRule(const QString& name, const QString& value) override;
    void AppendDetailRows(const DetailRows& rows) override;
    void ClearDetails() override;
    void ClearLists() override;
    void SelectInfoTab(int tab) override;
    void ShowInfoList(int tab) override;
    void ShowMessage(const QString& text) override;
    bool AskRetry(const QString& caption, const QString& text) override;
    void QueryEnded(bool answered) override;

signals:
    // Launch Quake started the game; this is its process.
    void GameStarted(qint64 pid);
    // The Options were accepted and stored.
    void SettingsSaved();

public slots:
    void done(int result) override;

#ifdef Q_OS_WIN
protected:
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    void ConnectEvents();
    bool RunOptions();
    void OnOptionsButton();
    void ShowAbout();
    void StartUp();
    void OnInfoTabChanged(int enteredTab);
    void LaunchQuake();
    QTimer* Timer(int id);

    Prompts& prompts;
    QSettings& store;
    HistoryStore& history;

    QueryEngine engine;
    UpdateCycle updateCycle;
    StoredServerLists serverLists;
    QueryStarts queryStarts;
    DetachedProcessStarter processStarter;
    GameLaunch gameLaunch;
    QTimer queryTimer;
    QTimer updateTimer;

    MainControls controls;
    DataExchange exchange;
    // A child window that goes before the lists and the engine it uses.
    std::unique_ptr<ServersWindow> serversWindow;
    // The tab whose list shows; the tab bar reports only the tab entered, the logic wants the
    // one left.
    int shownTab = 0;
    bool keepRunning = false;
};
