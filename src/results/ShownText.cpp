#include "ShownText.h"

#include "QuakeToAscii.h"

QString ShownText(QByteArrayView text, bool convert) {
    if (!convert)
        return QString::fromLatin1(text);
    QByteArray folded(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        folded[i] = QuakeToAsciiByte(static_cast<unsigned char>(text[i]));
    return QString::fromLatin1(folded);
}
