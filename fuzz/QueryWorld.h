#pragma once

#include "QueryEngine.h"
#include "RecordingView.h"

#include <cstdint>
#include <string_view>

// The query engine, the reply handlers and the scripts wired the way the main window wires them,
// with name trickery on, the scripts in the process's game folder and a window that only keeps
// what it is told. No host is named, so its lookup fails at once and no request leaves.
class QueryWorld {
public:
    // Bits 0 to 2: asciiserver, asciinames, asciirules; bit 3: the auto-update cycle runs;
    // bit 4: the time-out question is answered with Retry; bits 5 to 7: the time-out in seconds
    // less one.
    explicit QueryWorld(std::uint8_t flags);

    void PressQueryButton();
    // One second of the query timer, when it is armed.
    void Tick();
    // One datagram as the socket takes it in, when the socket is open.
    void Receive(std::string_view datagram);

    int QueriesStarted() const { return view.listClears; }

    // Selects each listed player in turn, as a click in the player list does, then none.
    void SelectListedPlayers();

    // Aborts on any broken invariant of the counters, the lists and the name list.
    void RequireInvariants() const;
    // Aborts unless every script splits as meant and each name script holds the line of its
    // counted player, and only that. Scripts that took no reply since the last check are skipped.
    void RequireScripts();

private:
    void AfterCycleStep();

    RecordingView view;
    QueryEngine engine;

    // Since the last query start: the highest player count a server-info reply gave, and the
    // rule replies taken in.
    int queriesSeen = 0;
    int highestCount = 0;
    int ruleReplies = 0;
    bool scriptsChecked = false;
};
