#include "FuzzProcess.h"

#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkProxy>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// In memory where the system offers it: every query start deletes and re-creates the scripts.
QTemporaryDir& GameDir() {
    static const QString shared = QStringLiteral("/dev/shm");
    static QTemporaryDir dir(QFileInfo(shared).isWritable()
                                 ? shared + QStringLiteral("/vantrel-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/vantrel-fuzz-XXXXXX"));
    return dir;
}

} // namespace

void StartFuzzProcess(int* argc, char*** argv) {
    // Never destroyed: at exit Qt's own globals may already be gone.
    static const QCoreApplication* const application = new QCoreApplication(*argc, *argv);
    Q_UNUSED(application);
    // Every query binds a fresh socket, and asking the system for a proxy each time would cost a
    // thread hop per input.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    Require(GameDir().isValid(), "no temporary folder for the game");
    Require(QDir(GameDir().path()).mkdir(QStringLiteral("ID1")), "no ID1 folder");
}

const QString& GameFolderPath() {
    static const QString path = GameDir().path();
    return path;
}

QString ScriptPath(const QString& fileName) {
    static const QString dataFolder = DataFolder(GameFolderPath());
    return JoinPath(dataFolder, fileName);
}

std::string ReadScript(const QString& fileName) {
    QFile file(ScriptPath(fileName));
    // Unbuffered: a read buffer per file would cost more than the few bytes each script holds.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    const QByteArray bytes = file.readAll();
    return bytes.toStdString();
}

void DeliverPostedEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Violation(const char* what, std::string_view text) {
    std::fprintf(stderr, "Violated: %s\n", what);
    if (!text.empty()) {
        std::fputs("In: ", stderr);
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 32 && byte < 127 && byte != '\\')
                std::fputc(byte, stderr);
            else
                std::fprintf(stderr, "\\x%02X", byte);
        }
        std::fputc('\n', stderr);
    }
    std::abort();
}

std::uint8_t InputBytes::Byte() {
    return position < size ? data[position++] : 0;
}

std::string_view InputBytes::Bytes(std::size_t count) {
    const std::size_t taken = std::min(count, size - std::min(position, size));
    const std::string_view bytes(reinterpret_cast<const char*>(data) + position, taken);
    position += taken;
    return bytes;
}
