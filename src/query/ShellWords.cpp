#include "ShellWords.h"

namespace {

bool EscapableInDoubleQuotes(QChar c) {
    return c == u'"' || c == u'\\' || c == u'$' || c == u'`';
}

} // namespace

QStringList ShellWords(const QString& text) {
    QStringList words;
    QString word;
    bool inWord = false;
    enum class Quote { None, Single, Double } quote = Quote::None;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool hasNext = i + 1 < text.size();
        if (quote == Quote::Single) {
            if (c == u'\'')
                quote = Quote::None;
            else
                word += c;
        } else if (quote == Quote::Double) {
            if (c == u'"')
                quote = Quote::None;
            else if (c == u'\\' && hasNext && EscapableInDoubleQuotes(text[i + 1]))
                word += text[++i];
            else
                word += c;
        } else if (c.isSpace()) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            inWord = true;
            if (c == u'\'')
                quote = Quote::Single;
            else if (c == u'"')
                quote = Quote::Double;
            else if (c == u'\\' && hasNext)
                word += text[++i];
            else
                word += c;
        }
    }
    if (inWord)
        words << word;
    return words;
}
