#include "OptionsAcceptance.h"

#include "AppName.h"
#include "GameLaunch.h"
#include "Paths.h"
#include "Prompts.h"
#include "Settings.h"

QString WithoutTrailingSeparator(const QString& path) {
    if (path.size() < 2)
        return path;
    return IsSeparator(path.back()) ? path.chopped(1) : path;
}

bool ConfirmOptions(const Settings& settings, Prompts& prompts, QWidget* parent) {
    const auto wantsToFix = [&prompts, parent](const char* question) {
        return prompts.YesNo(parent, ApplicationName, QString::fromLatin1(question));
    };
    if (!FolderExists(settings.quakepath) &&
        wantsToFix("The specified quake directory does not exist.\r\nWould you like to fix it?"))
        return false;
    if (!FolderExists(DataFolder(settings.quakepath)) &&
        wantsToFix(
            "No Quake\\ID1 directory was found.\r\nWould you like to return to the options?"))
        return false;
    if (FindGameExecutable(settings.quakepath, settings.exe).isEmpty() &&
        wantsToFix("The specified quake executable does not exist.\r\nWould you like to fix it?"))
        return false;
    prompts.Ok(parent, ApplicationName,
               QStringLiteral("If you made any changes you will have to re-query "
                              "the server for some of these options to take "
                              "effect."));
    return true;
}
