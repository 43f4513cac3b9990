#include "AppIcon.h"

// The resources live in a static library, so nothing would pull them in without this call. The
// registration has to be named outside any namespace.
static void RegisterResources() {
    Q_INIT_RESOURCE(vantrel);
}

QIcon AppIcon() {
    static const bool registered = (RegisterResources(), true);
    Q_UNUSED(registered);
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/vantrel-%1.png").arg(size), QSize(size, size));
    return icon;
}
