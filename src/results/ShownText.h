#pragma once

#include "FixedText.h"

#include <QString>

// Game text as the window shows it: one character per byte, whatever the byte.
template <std::size_t N> QString ShownText(const FixedText<N>& text) {
    return QString::fromLatin1(text.Data(), qsizetype(text.Length()));
}
