#include "MainWindowFixture.h"

#include <QDir>

MainWindowFixture::MainWindowFixture()
    : settings(DefaultSettings()),
      store(std::make_unique<QSettings>(dir.filePath(QStringLiteral("vantrel.ini")),
                                        QSettings::IniFormat)) {
    QDir(dir.path()).mkpath(QStringLiteral("game/ID1"));
    settings.quakepath = GamePath();
}

MainDialog& MainWindowFixture::Start() {
    settings.SaveSettings(*store);
    WriteFirstRun(*store, 0);
    dialog = std::make_unique<MainDialog>(prompts, *store);
    return *dialog;
}

MainDialog& MainWindowFixture::StartFirstTime() {
    dialog = std::make_unique<MainDialog>(prompts, *store);
    return *dialog;
}

void MainWindowFixture::RemoveDataFolder() const {
    QDir(DataPath()).removeRecursively();
}
