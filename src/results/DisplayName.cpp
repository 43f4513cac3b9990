#include "DisplayName.h"

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
    const DisplayName name = MakeDisplayName(received);
    return ShownText(QByteArrayView(name.Data(), qsizetype(name.Length())), asciinames == 1);
}
