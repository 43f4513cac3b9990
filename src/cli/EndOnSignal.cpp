#include "EndOnSignal.h"

#include <csignal>
#include <cstdlib>

namespace {

// Only what is safe in a signal handler: _Exit runs no destructors and flushes nothing.
void EndAtOnce(int) {
    std::_Exit(0);
}

} // namespace

void EndOnSignal() {
    std::signal(SIGINT, EndAtOnce);
    std::signal(SIGTERM, EndAtOnce);
}
