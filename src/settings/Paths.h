#pragma once

#include <QString>

// '/' everywhere, and the platform's own separator ('\\' on Windows).
bool IsSeparator(QChar c);

// Joins with exactly one of the platform's separators, whatever folder ends with.
QString JoinPath(const QString& folder, const QString& name);

bool FolderExists(const QString& path);
bool FileExists(const QString& path);

// The game's data folder inside the game folder: "ID1", or on a file system that tells letter
// case apart, the first folder whose name is "id1" in any case. When there is none, the path of
// "ID1", so that callers can still name it.
QString DataFolder(const QString& quakepath);
