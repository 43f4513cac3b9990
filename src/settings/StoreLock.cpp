#include "StoreLock.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

// Long enough for another copy to finish a change, short enough not to hold up the window.
constexpr int LockWaitMs = 2000;

// Not the store's file name plus ".lock": QSettings takes that one itself while it writes.
QString LockPath(const QSettings& store) {
#ifdef Q_OS_WIN
    // The registry has no folder beside the store: the lock goes to the user's configuration
    // folder, under the store's own names.
    if (store.format() == QSettings::NativeFormat)
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
               store.organizationName() + u'/' + store.applicationName() + QStringLiteral(".lock");
#endif
    return store.fileName() + QStringLiteral(".change.lock");
}

} // namespace

StoreLock::StoreLock(const QSettings& store) : lock(LockPath(store)) {
    // On first start the store's folder may not exist yet.
    QDir().mkpath(QFileInfo(lock.fileName()).absolutePath());
    lock.tryLock(LockWaitMs);
}
