#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <string_view>

// What every fuzz target shares: the application object and one game folder per process, both
// made in the one LLVMFuzzerInitialize of all targets, and the way a violated property ends the
// run.

// A file in the data folder of the process's game folder.
const QString& GameFolderPath();
QString ScriptPath(std::string_view fileName);
// One whole script of the data folder; empty when it does not exist.
std::string ReadScript(std::string_view fileName);

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
    InputBytes(const std::uint8_t* data, std::size_t size)
        : rest(reinterpret_cast<const char*>(data), size) {}

    bool Empty() const { return rest.empty(); }
    std::uint8_t Byte() { return Empty() ? 0 : static_cast<std::uint8_t>(Bytes(1).front()); }
    // Up to count bytes, fewer when the input ends first.
    std::string_view Bytes(std::size_t count) {
        const std::string_view taken = rest.substr(0, count);
        rest.remove_prefix(taken.size());
        return taken;
    }
    std::string_view Rest() { return Bytes(rest.size()); }

private:
    std::string_view rest;
};
