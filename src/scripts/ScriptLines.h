#pragma once

#include <string>
#include <string_view>

// The bytes of every line of the console scripts. Lines end with a single line feed.

// The scripts' file names, for the writer that opens them, the game's launch that executes the
// main one and the lines that execute them by name.
inline constexpr std::string_view MainScriptName = "vantrel.scr";
std::string NameScriptName(int number);

std::string ShowPlayersLine();
inline constexpr std::string_view Wait2Line =
    "alias wait2 \"wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;"
    "wait\"\n";
inline constexpr std::string_view Wait3Line = "alias wait3 \"wait2;wait2;wait2\"\n";
inline constexpr std::string_view ClearLine = "clear\n";
inline constexpr std::string_view ScrollNamesStart = "alias scrollnames \"";
inline constexpr std::string_view ScrollNamesEnd = ";myname\"\n";

// The game ends a quoted text at the next double quote and a command at a line break, so a name
// from a server could otherwise smuggle its own commands into a script. The user's own name is
// also run as the body of the myname alias, where a semicolon would end the name command, and a
// zero byte would end the whole file.
enum class QuotedText { PlayerName, OwnName };
std::string Quoted(std::string_view text, QuotedText kind);

std::string MyNameLine(std::string_view quakename);
std::string NameAliasLine(int number);
std::string ScrollNamesPiece(int number);
std::string NameLine(std::string_view displayName);
std::string PlayerListLine(int number, std::string_view displayName);
