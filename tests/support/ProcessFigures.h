#pragma once

#include <QDir>
#include <QFile>
#include <unistd.h>

// What the process holds right now, read from /proc: resident memory and open descriptors.
inline qint64 ResidentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

// AddressSanitizer keeps freed memory in quarantine, so resident memory says nothing there.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool ResidentMemoryIsMeaningful = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool ResidentMemoryIsMeaningful = false;
#else
inline constexpr bool ResidentMemoryIsMeaningful = true;
#endif
#else
inline constexpr bool ResidentMemoryIsMeaningful = true;
#endif

inline int OpenDescriptors() {
    return int(QDir(QStringLiteral("/proc/self/fd"))
                   .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)
                   .size());
}
