#pragma once

#include <QString>
#include <QStringList>
#include <optional>

struct Settings;

// Where a bare program name is looked for when it is not in the game folder. On Linux and macOS
// the game is usually installed system-wide and found on the PATH while the game folder is the
// player's; on Windows the game lives in its folder.
enum class ExecutableSearch { GameFolder, GameFolderThenPath };
#ifdef Q_OS_WIN
inline constexpr ExecutableSearch PlatformExecutableSearch = ExecutableSearch::GameFolder;
#else
inline constexpr ExecutableSearch PlatformExecutableSearch = ExecutableSearch::GameFolderThenPath;
#endif

// Where the game executable is; empty when it is nowhere.
QString FindGameExecutable(const QString& quakepath, const QString& exe,
                           ExecutableSearch search = PlatformExecutableSearch);

// The game's arguments on Linux and macOS: the extra parameters split as a shell splits words,
// then the server to connect to and the main script to execute.
QStringList GameArguments(const QString& commandline, int port, const QString& host);

// The game's command line on Windows: the extra parameters exactly as the user typed them, then
// the rest. A Windows program splits its own command line, by rules that keep backslashes.
QString WindowsGameCommandLine(const QString& commandline, int port, const QString& host);

// How the game is started: the program in its folder, with its arguments as a list, or on
// Windows as one command-line text.
struct GameCommand {
    QString program;
    QStringList arguments;
    QString nativeArguments;
    QString workingFolder;
};

GameCommand MakeGameCommand(const QString& executable, const Settings& settings, int port,
                            const QString& host);

// Starts a program on its own, without waiting for it; its process id, none when it did not start.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    virtual std::optional<qint64> StartDetached(const GameCommand& command) = 0;
};

class DetachedProcessStarter final : public ProcessStarter {
public:
    std::optional<qint64> StartDetached(const GameCommand& command) override;
};

struct MainFields;
struct QueryState;
class MainView;
class UpdateCycle;

// The "Launch Quake" button: starts the game connected to the server of the last query start,
// executing the main script, and with name trickery and auto-update on starts the update cycle.
// The game's process id goes back to the caller, who may want to know when the game has ended.
class GameLaunch {
public:
    struct Parts {
        const Settings& settings;
        const MainFields& fields;
        const QueryState& state;
        MainView& view;
        UpdateCycle& updates;
        ProcessStarter& starter;
    };
    explicit GameLaunch(const Parts& parts) : p(parts) {}

    std::optional<qint64> LaunchQuake();

private:
    Parts p;
};
