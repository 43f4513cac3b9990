#pragma once

#include <QFile>
#include <array>
#include <string_view>

struct Settings;
class PlayerNameList;

// The seventeen console scripts in the game's data folder: the main script and one name script
// for each player number 0..15. They stay open between queries so that the game can execute them
// while they are rewritten; every line reaches the file as soon as it is written. A script whose
// open failed stays closed and its writes are skipped.
class ScriptWriter {
public:
    static constexpr int NameScriptCount = 16;
    enum class OpenResult { Opened, GameFolderMissing };

    // The settings are read when each operation runs, so changes in between take effect.
    explicit ScriptWriter(const Settings& settings);
    ~ScriptWriter();

    // Empties the main script, and with name trickery on also the name scripts. The caller tells
    // the user about a missing game folder.
    OpenResult OpenScriptFiles();
    // Re-creates the main script with its header, at every query start.
    void RestartScripts();
    void WriteScrollNames(int n);
    void WriteNameScript(int n, std::string_view name);
    void WritePlayerList(int n, const PlayerNameList& names);

private:
    bool NameTrickery() const;
    // An empty game folder names no folder: there is nothing to open and nothing to write.
    bool HasGameFolder() const;
    void OpenNameScripts(const QString& dataFolder);
    static void Open(QFile& file, const QString& path);
    static void Write(QFile& file, std::string_view bytes);

    const Settings& settings;
    QFile mainScript;
    std::array<QFile, NameScriptCount> nameScripts;
};
