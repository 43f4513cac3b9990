#pragma once

#include "Notice.h"
#include "WatchEvents.h"

#include <optional>

// What the player hears of a watch event: a buddy who came, a favourite's player count reached, a
// slot free on a full favourite. A buddy who left is no news worth a notification; nor is an event
// whose server cannot be read back.
std::optional<Notice> WatchNotice(const WatchEvent& event);
