#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <string_view>

// What every fuzz target shares: the application object, one game folder per process, and the
// way a violated property ends the run.

// Creates the application object once; called from LLVMFuzzerInitialize.
void StartFuzzProcess(int* argc, char*** argv);

// A game folder with its ID1 data folder, made once per process in a temporary folder and
// removed when the process ends.
const QString& GameFolderPath();

// A file in the game's data folder.
QString ScriptPath(const QString& fileName);

// Reads one whole file of the game's data folder; empty when it does not exist.
std::string ReadScript(const QString& fileName);

// Delivers what the event loop would: the answers of host lookups and deferred deletions, so that
// nothing piles up from one input to the next.
void DeliverPostedEvents();

// Prints what went wrong and aborts, which the fuzzer records as a finding.
[[noreturn]] void Violation(const char* what, std::string_view text = {});

inline void Require(bool holds, const char* what, std::string_view text = {}) {
    if (!holds)
        Violation(what, text);
}

// Takes bytes off the front of a fuzz input; past its end every read gives zero or nothing.
class InputBytes {
public:
    InputBytes(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}

    bool Empty() const { return position >= size; }
    std::uint8_t Byte();
    // Up to count bytes, fewer when the input ends first.
    std::string_view Bytes(std::size_t count);
    std::string_view Rest() { return Bytes(size - position); }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position = 0;
};
