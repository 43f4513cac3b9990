#include "GameText.h"

#include "QuakeToAscii.h"

QString AsciiText(const QByteArray& bytes) {
    // A received text never holds a zero byte: it ended the text.
    QByteArray converted = bytes;
    QuakeToAscii(converted.data());
    return QString::fromLatin1(converted);
}

QString RawText(const QByteArray& bytes) {
    return QString::fromLatin1(bytes);
}

QString Printable(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool control = u < 0x20 || (u >= 0x7f && u < 0xa0);
        if (control)
            shown += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

QString TerminalText(const QByteArray& bytes, bool raw) {
    return Printable(raw ? RawText(bytes) : AsciiText(bytes));
}
