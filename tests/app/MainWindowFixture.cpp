#include "MainWindowFixture.h"

#include "ServerLists.h"
#include "TimerIds.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>

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

QString MainWindowFixture::Looks() {
    const auto button = [this](const char* name) {
        const QPushButton& b = Control<QPushButton>(name);
        return b.text() + (b.isEnabled() ? "" : "!");
    };
    const QueryState& s = dialog->State();
    return QStringLiteral("%1|%2|%3|%4|q%5u%6|%7%8")
        .arg(dialog->windowTitle(), button("queryButton"), button("updatesButton"))
        .arg(Control<QProgressBar>("progressBar").value())
        .arg(s.querying)
        .arg(s.autoUpdating)
        .arg(dialog->TimerArmed(QueryTimer) ? "Q" : "-",
             dialog->TimerArmed(UpdateTimer) ? "U" : "-");
}

// Wakes for every event rather than polling.
bool MainWindowFixture::WaitUntil(const std::function<bool()>& condition, int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

QByteArray MainWindowFixture::Script(const QString& name) const {
    QFile file(DataPath() + u'/' + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
