#pragma once

#include <QtGlobal>

// Whether the process of this id still runs. Where the system cannot tell, it has ended.
bool ProcessAlive(qint64 pid);
