#include "NameMatch.h"

#include "QuakeToAscii.h"

QString FoldedName(QByteArrayView name) {
    QByteArray folded(name.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < name.size(); ++i)
        folded[i] = QuakeToAsciiByte(static_cast<unsigned char>(name[i]));
    return QString::fromLatin1(folded).toLower();
}

bool NameContains(QByteArrayView name, const QString& text) {
    return FoldedName(name).contains(FoldedName(text.toLatin1()));
}
