#pragma once

#include "StandInConfig.h"

// Plausible players and rules for demos and benchmarks. Some names use the game's character set
// above 127 (the red letters and the gold digits and brackets) as real players' names do.
QList<StandInPlayer> DemoPlayers(int count);
// The usual server cvars first, then numbered ones.
QList<StandInRule> DemoRules(int count);
