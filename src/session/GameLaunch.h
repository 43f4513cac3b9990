#pragma once

#include <QString>
#include <QStringList>

struct Settings;

// Where the game executable is: inside the game folder, or, for a bare program name that is not
// there, on the user's PATH (on Linux the game is usually installed system-wide while the game
// folder is the player's). Empty when it is nowhere.
QString FindGameExecutable(const QString& quakepath, const QString& exe);

// The game's arguments: the extra parameters split as a shell splits words, then the server to
// connect to and the main script to execute.
QStringList GameArguments(const QString& commandline, int port, const QString& host);

// Starts a program on its own, without waiting for it.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    virtual bool StartDetached(const QString& program, const QStringList& arguments,
                               const QString& workingFolder) = 0;
};

class DetachedProcessStarter final : public ProcessStarter {
public:
    bool StartDetached(const QString& program, const QStringList& arguments,
                       const QString& workingFolder) override;
};

struct MainFields;
struct QueryState;
class MainView;
class UpdateCycle;

// The "Launch Quake" button: starts the game connected to the server of the last query start,
// executing the main script, and with name trickery and auto-update on starts the update cycle.
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

    void LaunchQuake();

private:
    Parts p;
};
