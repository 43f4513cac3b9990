#pragma once

#include "HistoryStore.h"
#include "MainDialog.h"
#include "OptionsDialog.h"
#include "ScriptedPrompts.h"
#include "ServerLists.h"
#include "Settings.h"
#include "TemplateWidgets.h"
#include "TimerIds.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

// Edits the Options dialog once its run has begun, then ends it with OK or Cancel.
inline void WhenOptionsOpen(std::function<void(OptionsDialog&)> edit, bool accept) {
    QTimer::singleShot(0, [edit, accept] {
        auto* dialog = qobject_cast<OptionsDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        edit(*dialog);
        ControlNamed<QPushButton>(*dialog, accept ? "okButton" : "cancelButton")->click();
    });
}

// A main window on temporary settings and a temporary game folder with its ID1 folder. Adjust
// `settings` (or the folder) before Start(); Start() stores the settings, marks the first start
// as done and opens the window, whose start-up then reads them. Start() again opens a new window
// on the same store, as the next run of the program would. The store lists no master servers; the
// history is a file of its own in the same folder.
class MainWindowFixture {
public:
    MainWindowFixture()
        : settings(DefaultSettings()),
          store(std::make_unique<QSettings>(dir.filePath(QStringLiteral("vantrel.ini")),
                                            QSettings::IniFormat)) {
        QDir(dir.path()).mkpath(QStringLiteral("game/ID1"));
        settings.quakepath = GamePath();
        // No test asks the public masters.
        ServerLists lists;
        lists.Load(*store);
        lists.masters.clear();
        lists.Save(*store);
        history.Open(dir.filePath(QStringLiteral("history.sqlite")));
    }

    MainDialog& Start() {
        settings.SaveSettings(*store);
        WriteFirstRun(*store, 0);
        return StartFirstTime();
    }
    // Opens the window on a store that has never seen Vantrel start.
    MainDialog& StartFirstTime() {
        dialog = std::make_unique<MainDialog>(prompts, *store, history);
        return *dialog;
    }
    MainDialog& Dialog() { return *dialog; }
    ScriptedPrompts& Prompts() { return prompts; }
    QSettings& Store() { return *store; }
    HistoryStore& History() { return history; }
    // The open window's control of that name.
    template <typename T> T& Control(const char* name) { return *ControlNamed<T>(*dialog, name); }
    // The window's state in one line: its caption, the Query and updates buttons' captions (with
    // a "!" when disabled), the progress, the query and update flags and the armed timers.
    QString Looks() {
        const auto button = [this](const char* name) {
            const QPushButton& b = Control<QPushButton>(name);
            return b.text() + (b.isEnabled() ? "" : "!");
        };
        const QueryState& s = dialog->State();
        return QStringLiteral("%1|%2|%3|%4|q%5u%6|%7%8")
            .arg(dialog->windowTitle(), button("queryButton"), button("updatesButton"))
            .arg(Control<QProgressBar>("progressBar").value())
            .arg(s.querying)
            .arg(s.autoUpdating)
            .arg(dialog->TimerArmed(QueryTimer) ? "Q" : "-",
                 dialog->TimerArmed(UpdateTimer) ? "U" : "-");
    }
    // Runs the event loop until the condition holds or the time is up; true when it holds. It
    // wakes for every event rather than polling.
    static bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 5000) {
        const QDeadlineTimer deadline(milliseconds);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        }
        return true;
    }

    QString GamePath() const { return dir.filePath(QStringLiteral("game")); }
    QString DataPath() const { return GamePath() + QStringLiteral("/ID1"); }
    // The script of that name in the data folder; empty when there is none.
    QByteArray Script(const QString& name) const {
        QFile file(DataPath() + u'/' + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    Settings settings;

private:
    QTemporaryDir dir;
    std::unique_ptr<QSettings> store;
    HistoryStore history;
    ScriptedPrompts prompts;
    std::unique_ptr<MainDialog> dialog;
};
