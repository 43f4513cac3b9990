#pragma once

#include "StandInConfig.h"

// Plausible players and rules for demos and benchmarks. Some names use the game's character set
// above 127 (the red letters and the gold digits and brackets) as real players' names do.
QList<StandInPlayer> DemoPlayers(int count);
// The index-th of them.
StandInPlayer DemoPlayer(int index);
// The usual server cvars first, then numbered ones.
QList<StandInRule> DemoRules(int count);
// The index-th of a set of servers for a browser: names, maps and player counts vary, some
// servers are empty and some full, some run a mod. Rules as given.
StandInConfig DemoServer(int index, int ruleCount);
