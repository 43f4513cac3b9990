#include "MainWindowFixture.h"

#include "ServerLists.h"

#include <QDir>
#include <QFile>

MainWindowFixture::MainWindowFixture()
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
}

MainDialog& MainWindowFixture::Start() {
    settings.SaveSettings(*store);
    WriteFirstRun(*store, 0);
    return StartFirstTime();
}

MainDialog& MainWindowFixture::StartFirstTime() {
    dialog = std::make_unique<MainDialog>(prompts, *store);
    return *dialog;
}

QByteArray MainWindowFixture::Script(const QString& name) const {
    QFile file(DataPath() + u'/' + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
