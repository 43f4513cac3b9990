#pragma once

#include <QLockFile>

class QSettings;

// Held while a change reads, alters and writes the store, so that copies of the program running
// at once take turns instead of writing over each other. A copy that crashed while holding it
// leaves a stale lock, which the next one takes over.
class StoreLock {
public:
    // Waits a short while at the most: a lock still busy then is not held.
    explicit StoreLock(const QSettings& store);

    bool Held() const { return lock.isLocked(); }

private:
    QLockFile lock;
};
