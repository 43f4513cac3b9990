// QuakeToAscii on any bytes: the text keeps its length and what follows its end, every byte
// becomes printable ASCII or DEL as the byte conversion says, plain characters stay, and the
// upper half reads as the lower.

#include "FuzzInput.h"
#include "QuakeToAscii.h"

#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string text = input;
    QuakeToAscii(text.data());

    const std::size_t length = std::strlen(input.c_str());
    Require(std::strlen(text.c_str()) == length, "the text changed its length", text);
    Require(text.compare(length, std::string::npos, input, length) == 0,
            "bytes after the end of the text changed", text);
    for (std::size_t i = 0; i < length; ++i) {
        const auto in = static_cast<unsigned char>(input[i]);
        const auto out = static_cast<unsigned char>(text[i]);
        Require(out >= 32 && out <= 127, "a byte outside 32..127", text);
        Require(out == static_cast<unsigned char>(QuakeToAsciiByte(in)),
                "the text and the byte conversion disagree", text);
        Require(in < 32 || in > 127 || out == in, "a plain character changed", text);
        Require(in < 160 || out == in - 128, "an upper-half character is not its lower half", text);
    }
    return 0;
}
