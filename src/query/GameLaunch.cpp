#include "GameLaunch.h"

#include "MainFields.h"
#include "MainView.h"
#include "Paths.h"
#include "QueryState.h"
#include "ScriptLines.h"
#include "Settings.h"
#include "ShellWords.h"
#include "UpdateCycle.h"

#include <QProcess>
#include <QStandardPaths>
#include <algorithm>

QString FindGameExecutable(const QString& quakepath, const QString& exe, ExecutableSearch search) {
    const QString inGameFolder = JoinPath(quakepath, exe);
    if (FileExists(inGameFolder))
        return inGameFolder;
    const bool bareName = !exe.isEmpty() && std::none_of(exe.begin(), exe.end(), IsSeparator);
    if (search == ExecutableSearch::GameFolder || !bareName)
        return {};
    return QStandardPaths::findExecutable(exe);
}

QStringList GameArguments(const QString& commandline, int port, const QString& host) {
    return ShellWords(commandline) +
           QStringList{QStringLiteral("+port"),    QString::number(port),
                       QStringLiteral("+connect"), host,
                       QStringLiteral("+exec"),    QString::fromUtf8(MainScriptName)};
}

QString WindowsGameCommandLine(const QString& commandline, int port, const QString& host) {
    return QStringLiteral("%1 +port %2 +connect %3 +exec %4")
        .arg(commandline, QString::number(port), host, QString::fromUtf8(MainScriptName));
}

GameCommand MakeGameCommand(const QString& executable, const Settings& settings, int port,
                            const QString& host) {
    GameCommand command{executable, {}, {}, settings.quakepath};
#ifdef Q_OS_WIN
    command.nativeArguments = WindowsGameCommandLine(settings.commandline, port, host);
#else
    command.arguments = GameArguments(settings.commandline, port, host);
#endif
    return command;
}

std::optional<qint64> DetachedProcessStarter::StartDetached(const GameCommand& command) {
    QProcess process;
    process.setProgram(command.program);
    process.setArguments(command.arguments);
#ifdef Q_OS_WIN
    process.setNativeArguments(command.nativeArguments);
#endif
    process.setWorkingDirectory(command.workingFolder);
    qint64 pid = 0;
    if (!process.startDetached(&pid))
        return std::nullopt;
    return pid;
}

std::optional<qint64> GameLaunch::LaunchQuake() {
    const Settings& s = p.settings;
    const QString executable = FindGameExecutable(s.quakepath, s.exe);
    const bool folderExists = FolderExists(s.quakepath);
    if (executable.isEmpty() || !folderExists) {
        p.view.ShowMessage(folderExists ? QStringLiteral("Your quake executable does not exist.\r\n"
                                                         "Please check Vantrel's options.")
                                        : QStringLiteral("Your quake folder does not exist.\r\n"
                                                         "Please check Vantrel's options."));
        return std::nullopt;
    }
    const std::optional<qint64> game =
        p.starter.StartDetached(MakeGameCommand(executable, s, p.fields.port, p.fields.serverHost));
    if (s.nametrickery == 1 && s.autoupdate == 1 && p.state.autoUpdating == 0)
        p.updates.ToggleUpdates();
    return game;
}
