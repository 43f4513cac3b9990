#include "HistoryStore.h"
#include "RunCommandLine.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <cstdlib>

// Unbuffered, so that each result of a repeated query is out before the next one, and nothing
// is lost when the program is interrupted.
//
// Qt looks host names up on threads of its own and waits for them as the program ends, however
// long the resolver takes; a lookup given up at the deadline would hold the exit for as long.
// Everything has been written by then, so the program leaves without waiting for them.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QFile out;
    QFile errors;
    out.open(fileno(stdout), QIODevice::WriteOnly | QIODevice::Unbuffered);
    errors.open(fileno(stderr), QIODevice::WriteOnly | QIODevice::Unbuffered);
    const int status =
        RunCommandLine(QCoreApplication::arguments(), out, errors, HistoryStore::DefaultPath());
    std::fflush(nullptr);
    std::_Exit(status);
}
