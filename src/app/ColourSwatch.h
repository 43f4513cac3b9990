#pragma once

#include <QIcon>

// Small pictures of the players' colours from the game's palette: one colour for a shirt or
// pants row, shirt over pants for a player's mark in the list.
QIcon ColourSwatch(int colour);
QIcon ShirtAndPantsMark(int shirt, int pants);
