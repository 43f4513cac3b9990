#include "RunCommandLine.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

// Unbuffered, so that each result of a repeated query is out before the next one, and nothing
// is lost when the program is interrupted.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QFile out;
    QFile errors;
    out.open(fileno(stdout), QIODevice::WriteOnly | QIODevice::Unbuffered);
    errors.open(fileno(stderr), QIODevice::WriteOnly | QIODevice::Unbuffered);
    return RunCommandLine(QCoreApplication::arguments(), out, errors);
}
