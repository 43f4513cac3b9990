// QuakeToAscii on any bytes: the text keeps its length and what follows its end, and every byte
// becomes what the byte conversion says (whose table the unit test checks byte by byte).

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
        Require(out == static_cast<unsigned char>(QuakeToAsciiByte(in)),
                "the text and the byte conversion disagree", text);
    }
    return 0;
}
