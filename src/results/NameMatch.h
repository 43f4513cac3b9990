#pragma once

#include <QByteArrayView>
#include <QString>

// A player's name as searches compare it: the game's graphic characters folded onto ASCII, and
// letters in lower case.
QString FoldedName(QByteArrayView name);

// Whether the name holds the text, compared as FoldedName folds both. An empty text matches
// every name.
bool NameContains(QByteArrayView name, const QString& text);
