#include "NameMatch.h"

#include "ShownText.h"

QString FoldedName(QByteArrayView name) {
    return ShownText(name, true).toLower();
}

bool NameContains(QByteArrayView name, const QString& text) {
    return FoldedName(name).contains(FoldedName(text.toLatin1()));
}
