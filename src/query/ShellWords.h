#pragma once

#include <QString>
#include <QStringList>

// Splits a command line into words the way a POSIX shell does: blanks separate words, single
// quotes keep everything literally, double quotes keep blanks and let a backslash escape " \ $ `,
// and outside quotes a backslash keeps the next character. An unclosed quote runs to the end.
QStringList ShellWords(const QString& text);
