#include "ScriptGrammar.h"

#include "FuzzProcess.h"
#include "ScriptLines.h"

#include <QRegularExpression>

namespace {

// A quoted argument holds no double quote, so it ends the command only where the pattern says.
const QRegularExpression mainLine(QRegularExpression::anchoredPattern(
    R"(alias myname "name [^";]*";myname)"
    R"(|alias scrollnames "(nm[0-9]+|wait3|myname)?(;(nm[0-9]+|wait3|myname)?)*")"
    R"(|echo "[^"]*"|alias (showplayers|nm[0-9]+|wait2|wait3) "[^"]*"|clear)"));
const QRegularExpression nameLine(QRegularExpression::anchoredPattern(R"(name "[^"]*")"));

int RequireLinesAsMeant(std::string_view script, const QRegularExpression& meant) {
    Require(script.find('\0') == std::string_view::npos, "a zero byte in a script", script);
    Require(script.empty() || script.back() == '\n', "a script ends inside a line", script);
    int lines = 0;
    for (std::size_t start = 0; start < script.size(); ++lines) {
        const std::string_view line = script.substr(start, script.find('\n', start) - start);
        Require(meant.match(QString::fromLatin1(line.data(), qsizetype(line.size()))).hasMatch(),
                "a line that the game does not split as meant", line);
        start += line.size() + 1;
    }
    return lines;
}

} // namespace

void RequireScripts(int mainLines,
                    const std::array<int, ScriptWriter::NameScriptCount>& nameLines) {
    const int main = RequireLinesAsMeant(ReadScript(MainScriptName), mainLine);
    Require(mainLines < 0 || main == mainLines, "the main script holds other lines than written");
    for (int i = 0; i < ScriptWriter::NameScriptCount; ++i) {
        Require(RequireLinesAsMeant(ReadScript(NameScriptName(i)), nameLine) == nameLines[i],
                "a name script holds other lines than written");
    }
}
