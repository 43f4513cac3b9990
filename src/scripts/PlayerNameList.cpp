#include "PlayerNameList.h"

void PlayerNameList::Resize(int n) {
    names.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
}

void PlayerNameList::Set(int n, std::string_view name) {
    if (n >= 0 && n < Size())
        names[static_cast<std::size_t>(n)] = name;
}

std::string_view PlayerNameList::At(int n) const {
    if (n >= 0 && n < Size())
        return names[static_cast<std::size_t>(n)];
    return {};
}
