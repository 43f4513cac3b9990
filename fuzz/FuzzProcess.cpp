#include "FuzzProcess.h"

#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkProxy>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// In memory where the system offers it: every query start deletes and re-creates the scripts.
QTemporaryDir& GameDir() {
    static QTemporaryDir dir((QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                  ? QStringLiteral("/dev/shm")
                                  : QDir::tempPath()) +
                             QStringLiteral("/vantrel-fuzz-XXXXXX"));
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Never destroyed: at exit Qt's own globals may already be gone.
    new QCoreApplication(*argc, *argv);
    // Every query binds a fresh socket, and asking the system for a proxy each time would cost a
    // thread hop per input.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    Require(GameDir().isValid() && QDir(GameDir().path()).mkdir(QStringLiteral("ID1")),
            "no game folder");
    return 0;
}

const QString& GameFolderPath() {
    static const QString path = GameDir().path();
    return path;
}

QString ScriptPath(std::string_view fileName) {
    static const QString dataFolder = DataFolder(GameFolderPath());
    return JoinPath(dataFolder, QString::fromLatin1(fileName.data(), qsizetype(fileName.size())));
}

std::string ReadScript(std::string_view fileName) {
    QFile file(ScriptPath(fileName));
    // Unbuffered: a read buffer per file would cost more than the few bytes each script holds.
    return file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ? file.readAll().toStdString()
                                                                  : std::string();
}

void DeliverPostedEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Violation(const char* what, std::string_view text) {
    const QByteArray shown =
        QByteArray(text.data(), qsizetype(text.size())).toPercentEncoding(" \"';:[]\\");
    std::fprintf(stderr, "Violated: %s\nIn: %s\n", what, shown.constData());
    std::abort();
}
