#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// A zero-terminated byte text in a field of fixed size, the way texts from the network are held:
// at most Size - 1 bytes and the ending zero, never an allocation.
template <std::size_t Size> class FixedText {
    static_assert(Size >= 1);

public:
    static constexpr std::size_t Capacity = Size - 1;

    FixedText() = default;
    explicit FixedText(std::string_view text) { Assign(text); }

    // Copies what fits and cuts the rest.
    void Assign(std::string_view text) {
        length = text.size() < Capacity ? text.size() : Capacity;
        for (std::size_t i = 0; i < length; ++i)
            bytes[i] = text[i];
        bytes[length] = '\0';
    }
    void Clear() { Assign({}); }

    char* Data() { return bytes.data(); }
    const char* Data() const { return bytes.data(); }
    std::size_t Length() const { return length; }
    bool Empty() const { return length == 0; }
    std::string_view View() const { return {bytes.data(), length}; }

    friend bool operator==(const FixedText& a, std::string_view b) { return a.View() == b; }

private:
    std::array<char, Size> bytes{};
    std::size_t length = 0;
};
