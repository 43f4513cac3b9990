#pragma once

inline constexpr int QueryTimer = 104;
inline constexpr int UpdateTimer = 105;
