#pragma once

#include <QStringList>

class QIODevice;

// The whole program short of its process: reads the arguments (the program's name first), runs
// the query in an event loop of its own and gives the exit status. With --every it returns only
// when the queries cannot start. The history is kept in the file at historyPath.
int RunCommandLine(const QStringList& arguments, QIODevice& out, QIODevice& errors,
                   const QString& historyPath);
