#include "GameLaunch.h"

#include "MainFields.h"
#include "MainView.h"
#include "Paths.h"
#include "QueryState.h"
#include "Settings.h"
#include "ShellWords.h"
#include "UpdateCycle.h"

#include <QProcess>
#include <QStandardPaths>
#include <algorithm>

QString FindGameExecutable(const QString& quakepath, const QString& exe) {
    const QString inGameFolder = JoinPath(quakepath, exe);
    if (FileExists(inGameFolder))
        return inGameFolder;
    const bool bareName = !exe.isEmpty() && std::none_of(exe.begin(), exe.end(), IsSeparator);
    return bareName ? QStandardPaths::findExecutable(exe) : QString();
}

QStringList GameArguments(const QString& commandline, int port, const QString& host) {
    return ShellWords(commandline) +
           QStringList{QStringLiteral("+port"),    QString::number(port),
                       QStringLiteral("+connect"), host,
                       QStringLiteral("+exec"),    QStringLiteral("vantrel.scr")};
}

bool DetachedProcessStarter::StartDetached(const QString& program, const QStringList& arguments,
                                           const QString& workingFolder) {
    return QProcess::startDetached(program, arguments, workingFolder);
}

void GameLaunch::LaunchQuake() {
    const Settings& s = p.settings;
    const QString executable = FindGameExecutable(s.quakepath, s.exe);
    const bool folderExists = FolderExists(s.quakepath);
    if (executable.isEmpty() || !folderExists) {
        p.view.ShowMessage(folderExists ? QStringLiteral("Your quake executable does not exist.\r\n"
                                                         "Please check Vantrel's options.")
                                        : QStringLiteral("Your quake folder does not exist.\r\n"
                                                         "Please check Vantrel's options."));
        return;
    }
    p.starter.StartDetached(
        executable, GameArguments(s.commandline, p.fields.port, p.fields.serverHost), s.quakepath);
    if (s.nametrickery == 1 && s.autoupdate == 1 && p.state.autoUpdating == 0)
        p.updates.ToggleUpdates();
}
