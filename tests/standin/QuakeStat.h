#pragma once

#include <QStandardPaths>
#include <QtTest>

// Declares path as quakestat's path. Without quakestat the test is skipped, or fails under CI,
// where it must be installed.
#define VANTREL_FIND_QUAKESTAT(path)                                                               \
    const QString path = QStandardPaths::findExecutable("quakestat");                              \
    if (path.isEmpty()) {                                                                          \
        if (qEnvironmentVariableIsSet("CI"))                                                       \
            QFAIL("quakestat (Debian package qstat) is missing");                                  \
        QSKIP("quakestat (Debian package qstat) is not installed");                                \
    }
