#pragma once

#include <string_view>
#include <vector>

// Splits one line of script text into commands the way the game's console does: a semicolon ends
// a command only outside double quotes, and each double quote toggles quoting. Empty commands
// are kept, so that a stray semicolon counts.
std::vector<std::string_view> GameCommands(std::string_view line);

enum class ScriptKind { Main, Name };

// Aborts unless the script splits, line by line (a line feed always ends a command), into
// exactly the commands its lines are meant to hold:
// - a `name "..."` line: one command, `name` and one quoted argument;
// - an `echo "..."` line: one command;
// - the myname line: `alias myname "name ..."` and `myname`, and the alias body, when run, is
//   one `name` command;
// - every other line the writer makes: one command.
// A line that the writer never makes, a zero byte (the game stops reading there) or an
// unfinished last line are violations too. Gives the number of lines.
int RequireSplitsAsMeant(std::string_view script, ScriptKind kind);
