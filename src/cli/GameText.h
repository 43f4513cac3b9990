#pragma once

#include <QByteArray>
#include <QString>

// The game's text as the window shows it with conversion on: QuakeToAscii, one character a byte.
QString AsciiText(const QByteArray& bytes);
// The same bytes read as Latin-1, unconverted.
QString RawText(const QByteArray& bytes);
// Control characters written as \xNN, so that a server's name cannot move the cursor or change
// the colours of the user's terminal.
QString Printable(const QString& text);
// The text as the terminal shows it: converted to ASCII, or raw, and printable either way.
QString TerminalText(const QByteArray& bytes, bool raw);
