#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

// Unless the property holds, prints it with the text it failed on and aborts, which the fuzzer
// records as a finding.
inline void Require(bool holds, const char* what, std::string_view text = {}) {
    if (holds)
        return;
    std::fprintf(stderr, "Violated: %s\nIn: %.*s\n", what, int(text.size()), text.data());
    std::abort();
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

private:
    std::string_view rest;
};
