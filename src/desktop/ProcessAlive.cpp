#include "ProcessAlive.h"

#if defined(Q_OS_LINUX)
#include <QFile>
#elif defined(Q_OS_UNIX)
#include <cerrno>
#include <signal.h>
#elif defined(Q_OS_WIN)
#include <windows.h>
#endif

#if defined(Q_OS_LINUX)
// A game that has ended but that nobody has reaped yet is still listed, in state Z: it counts as
// ended. The state follows the command name, which ends with the line's last ')'.
bool ProcessAlive(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (pid <= 0 || !stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.read(1024);
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0 || close + 2 >= line.size())
        return false;
    const char state = line.at(close + 2);
    return state != 'Z' && state != 'X';
}
#elif defined(Q_OS_UNIX)
bool ProcessAlive(qint64 pid) {
    return pid > 0 && (kill(pid_t(pid), 0) == 0 || errno == EPERM);
}
#elif defined(Q_OS_WIN)
bool ProcessAlive(qint64 pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, DWORD(pid));
    if (!process)
        return false;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}
#else
bool ProcessAlive(qint64) {
    return false;
}
#endif
