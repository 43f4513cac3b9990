#pragma once

#include <string>
#include <string_view>
#include <vector>

// The players' display names by player number, as the player-list lines of the main script
// print them. Kept for the whole run, so an entry can still hold a name from an earlier query.
class PlayerNameList {
public:
    // Entries whose number still fits keep their name; new entries are empty.
    void Resize(int n);
    // A number outside the list is ignored.
    void Set(int n, std::string_view name);
    // A number outside the list reads as an empty name.
    std::string_view At(int n) const;
    int Size() const { return static_cast<int>(names.size()); }

private:
    std::vector<std::string> names;
};
