#pragma once

#include "NoticeSender.h"

#include <memory>

// The desktop's own notification service where the platform has one Vantrel speaks to (the
// freedesktop service on the session bus on Linux); null elsewhere, where the tray shows notices.
std::unique_ptr<NoticeSender> PlatformNotices();
