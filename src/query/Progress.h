#pragma once

class MainView;

inline constexpr int ProgressStart = 10;
inline constexpr int ProgressServerInfo = 20;
inline constexpr int ProgressPlayerRequests = 15;
inline constexpr int ProgressRuleRequest = 10;
inline constexpr int ProgressPerRule = 3;
inline constexpr int ProgressEndOfRules = 30;
inline constexpr int ProgressPlayersComplete = 25;

// Moves the bar on by n from where it stands; the bar holds at its end.
void StepProgress(MainView& view, int n);
