#pragma once

// What vantrel-query exits with.
enum ExitStatus : int {
    ExitComplete = 0,
    // Timed out or incomplete; what arrived is still printed.
    ExitIncomplete = 1,
    ExitBadArguments = 2,
    ExitHostNotFound = 3,
    // The history could not be read, or its export not written.
    ExitNoHistory = 4,
};
