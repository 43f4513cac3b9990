#pragma once

// Folds the game's 8-bit character set onto plain ASCII for display: the graphic bytes 1..31 and
// 128..159 become bars, dots, brackets, spaces and digits, and 160..255 the same characters as
// 32..127. One byte for one, so a text keeps its length, and no byte becomes 0.
char QuakeToAsciiByte(unsigned char byte);

// Converts a zero-terminated text in place.
void QuakeToAscii(char* text);
