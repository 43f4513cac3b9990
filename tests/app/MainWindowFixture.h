#pragma once

#include "MainDialog.h"
#include "ScriptedPrompts.h"
#include "Settings.h"

#include <QApplication>
#include <QByteArray>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

// The control of the window that has this object name, or null.
template <typename T> T* FindControl(QWidget& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}

// Acts on the modal dialog once its run has begun; the dialog is null when none of that type is
// open.
template <typename Dialog> void WhenOpen(std::function<void(Dialog*)> act) {
    QTimer::singleShot(0, [act] { act(qobject_cast<Dialog*>(QApplication::activeModalWidget())); });
}

// A main window on temporary settings and a temporary game folder with its ID1 folder. Adjust
// `settings` (or the folder) before Start(); Start() stores the settings, marks the first start
// as done and opens the window, whose start-up then reads them. Start() again opens a new window
// on the same store, as the next run of the program would. The store lists no master servers.
class MainWindowFixture {
public:
    MainWindowFixture();

    MainDialog& Start();
    // Opens the window on a store that has never seen Vantrel start.
    MainDialog& StartFirstTime();
    MainDialog& Dialog() { return *dialog; }
    ScriptedPrompts& Prompts() { return prompts; }
    QSettings& Store() { return *store; }
    // The open window's control of that name.
    template <typename T> T& Control(const char* name) { return *FindControl<T>(*dialog, name); }
    // The window's state in one line: its caption, the Query and updates buttons' captions (with
    // a "!" when disabled), the progress, the query and update flags and the armed timers.
    QString Looks();
    // Runs the event loop until the condition holds or the time is up; true when it holds.
    static bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 5000);

    QString GamePath() const { return dir.filePath(QStringLiteral("game")); }
    QString DataPath() const { return GamePath() + QStringLiteral("/ID1"); }
    // The script of that name in the data folder; empty when there is none.
    QByteArray Script(const QString& name) const;

    Settings settings;

private:
    QTemporaryDir dir;
    std::unique_ptr<QSettings> store;
    ScriptedPrompts prompts;
    std::unique_ptr<MainDialog> dialog;
};
