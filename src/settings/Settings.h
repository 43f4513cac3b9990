#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QSettings;

// The persisted options. Flags are on when equal to 1.
struct Settings {
    int asciinames = 0;
    int asciirules = 0;
    int asciiserver = 0;
    int nametrickery = 0;
    QString quakepath;
    QString quakename;
    int timeout = 0;
    QString commandline;
    QString exe;
    int autoupdate = 0;
    int updatetime = 0;
    // How often the watch asks the favourites and recent servers, in seconds.
    int watchseconds = 0;

    void LoadSettings(QSettings& store);
    void SaveSettings(QSettings& store) const;
};

// The watch's interval, from the Options and from vantrel-query --every.
inline constexpr int ShortestWatchSeconds = 30;
inline constexpr int LongestWatchSeconds = 600;

// What a value reads as when it is missing or unreadable.
Settings DefaultSettings();

// The per-user store: the registry key software\Vantrel\<program>\ on Windows, an INI file
// under the user's configuration folder elsewhere.
std::unique_ptr<QSettings> OpenSettingsStore();

// The one-time first-start marker, kept beside the options.
int ReadFirstRun(QSettings& store);
void WriteFirstRun(QSettings& store, int value);
