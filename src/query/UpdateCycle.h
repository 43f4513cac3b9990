#pragma once

struct QueryState;
struct Settings;
class MainView;
class QueryCycle;

// Repeats the query every `updatetime` seconds so the name scripts follow the players who join
// and leave while the user plays. Each re-query goes through the Query button's operation.
class UpdateCycle {
public:
    struct Parts {
        QueryState& state;
        const Settings& settings;
        MainView& view;
        QueryCycle& queries;
    };
    explicit UpdateCycle(const Parts& parts) : p(parts) {}

    void ToggleUpdates();
    void UpdateTick();

    int UpdateNumber() const { return updateNumber; }

private:
    Parts p;
    int updateSeconds = 0;
    // Counts the re-queries of every cycle since the program started.
    int updateNumber = 0;
};
