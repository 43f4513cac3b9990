#include "ScriptLines.h"

std::string NameScriptName(int number) {
    return "vtnm" + std::to_string(number) + ".scr";
}

std::string ShowPlayersLine() {
    return "alias showplayers \"exec " + std::string(MainScriptName) + "\"\n";
}

std::string Quoted(std::string_view text, QuotedText kind) {
    std::string safe(text);
    for (char& c : safe) {
        if (c == '"')
            c = '\'';
        else if (c == '\n' || c == '\r' || c == '\0')
            c = ' ';
        else if (c == ';' && kind == QuotedText::OwnName)
            c = ':';
    }
    return safe;
}

std::string MyNameLine(std::string_view quakename) {
    return "alias myname \"name " + Quoted(quakename, QuotedText::OwnName) + "\";myname\n";
}

std::string NameAliasLine(int number) {
    return "alias nm" + std::to_string(number) + " \"exec " + NameScriptName(number) + "\"\n";
}

std::string ScrollNamesPiece(int number) {
    const std::string piece = "nm" + std::to_string(number) + ";wait3";
    return number == 0 ? piece : ";" + piece;
}

std::string NameLine(std::string_view displayName) {
    return "name \"" + Quoted(displayName, QuotedText::PlayerName) + "\"\n";
}

// Bytes 141 and 143 are the game's own marker characters.
std::string PlayerListLine(int number, std::string_view displayName) {
    return "echo \"\x8D nm" + std::to_string(number) + " \x8F " +
           Quoted(displayName, QuotedText::PlayerName) + "\"\n";
}
