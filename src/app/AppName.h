#pragma once

#include <QLatin1String>

// The caption of the program's messages.
inline constexpr QLatin1String ApplicationName("Vantrel");
