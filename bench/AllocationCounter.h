#pragma once

#include <cstddef>

// Counts every call of the global operator new in this process, so a benchmark can show that
// handling a message allocates nothing.
std::size_t AllocationCount();
