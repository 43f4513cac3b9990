#pragma once

#include "ScriptWriter.h"

#include <array>

// Aborts unless every script in the game folder holds only lines that the game's console splits
// into exactly the commands they are meant to hold, and each holds as many lines as given
// (mainLines < 0: any number). The console ends a command at a line feed, and at a semicolon
// outside double quotes; each double quote toggles quoting; a zero byte ends the whole file.
// - the main script: `alias myname "name ..."` then `;myname`, whose alias body, when run, is one
//   `name` command; `alias scrollnames "..."` calling only the name aliases, wait3 and myname;
//   `echo "..."`; and the fixed alias lines and `clear`;
// - a name script: `name "..."` alone.
// A line feed must end the last line.
void RequireScripts(int mainLines, const std::array<int, ScriptWriter::NameScriptCount>& nameLines);
