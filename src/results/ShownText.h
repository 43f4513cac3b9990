#pragma once

#include "FixedText.h"

#include <QByteArrayView>
#include <QString>

// Game text as the window shows it: one character per byte, whatever the byte.
template <std::size_t N> QString ShownText(const FixedText<N>& text) {
    return QString::fromLatin1(text.Data(), qsizetype(text.Length()));
}

// The same for a text of any length; with convert set, the game's graphic characters fold onto
// ASCII first, as the asciiserver and asciinames options ask.
QString ShownText(QByteArrayView text, bool convert);
