#pragma once

#include <QIcon>

// The window icon, in every size the resources hold.
QIcon AppIcon();
