#include "DisplayName.h"

#include "QuakeToAscii.h"
#include "ShownText.h"

#include <utility>

DisplayName MakeDisplayName(std::string_view received) {
    static constexpr std::pair<std::string_view, std::string_view> substitutions[] = {
        {"unconnected", "-unconnected-"},
        {"", "-nonamerlamer-"},
        {" ", "-nonamerlamer-"},
        {"player", "-player-"},
    };
    for (const auto& [name, shown] : substitutions) {
        if (received == name)
            return DisplayName(shown);
    }
    return DisplayName(received);
}

QString ShownPlayerName(std::string_view received, int asciinames) {
    DisplayName name = MakeDisplayName(received);
    if (asciinames == 1) {
        for (std::size_t i = 0; i < name.Length(); ++i)
            name.Data()[i] = QuakeToAsciiByte(static_cast<unsigned char>(name.Data()[i]));
    }
    return ShownText(name);
}
