#pragma once

#include <QLatin1String>

inline constexpr QLatin1String ProgramName("vantrel-query");
