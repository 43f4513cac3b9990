#include "Paths.h"

#include <QDir>
#include <QFileInfo>

bool IsSeparator(QChar c) {
    return c == u'/' || c == QDir::separator();
}

QString JoinPath(const QString& folder, const QString& name) {
    qsizetype end = folder.size();
    while (end > 0 && IsSeparator(folder.at(end - 1))) {
        --end;
    }
    return folder.left(end) + QDir::separator() + name;
}

// An empty game folder names no folder; it must not silently become the root or the working
// folder.
bool FolderExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool FileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QString DataFolder(const QString& quakepath) {
    const QString exact = JoinPath(quakepath, QStringLiteral("ID1"));
    if (FolderExists(exact) || !FolderExists(quakepath)) {
        return exact;
    }
    // Where letter case matters, installs often spell it "id1"; sorted so the choice is stable.
    const QStringList folders =
        QDir(quakepath).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& folder : folders) {
        if (folder.compare(QStringLiteral("id1"), Qt::CaseInsensitive) == 0) {
            return JoinPath(quakepath, folder);
        }
    }
    return exact;
}
