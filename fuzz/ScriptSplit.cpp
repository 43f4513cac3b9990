#include "ScriptSplit.h"

#include "FuzzProcess.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::string_view MyNameStart = "alias myname \"";
constexpr std::string_view ScrollNamesStart = "alias scrollnames \"";
constexpr std::string_view NameStart = "name \"";
constexpr std::string_view EchoStart = "echo \"";

// The starts of the main script's other lines, each a single command of fixed text.
constexpr std::array<std::string_view, 5> SingleCommandStarts = {
    "alias showplayers \"", "alias nm", "alias wait2 \"", "alias wait3 \"", "clear"};

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

// The text between a command's opening start and its closing double quote, which must be the
// command's last byte and the only other double quote in it.
std::string_view QuotedArgument(std::string_view command, std::string_view start) {
    Require(StartsWith(command, start), "a command lost its start", command);
    Require(command.size() > start.size() && command.back() == '"',
            "a quoted argument does not end the command", command);
    const std::string_view argument =
        command.substr(start.size(), command.size() - start.size() - 1);
    Require(argument.find('"') == std::string_view::npos, "a double quote inside a quoted argument",
            command);
    return argument;
}

std::vector<std::string_view> RequireCommands(std::string_view line, std::size_t count) {
    std::vector<std::string_view> commands = GameCommands(line);
    Require(commands.size() == count, "a line splits into the wrong number of commands", line);
    return commands;
}

void RequireMyNameLine(std::string_view line) {
    const std::vector<std::string_view> commands = RequireCommands(line, 2);
    Require(commands[1] == "myname", "the myname line does not run myname", line);
    const std::string_view body = QuotedArgument(commands[0], MyNameStart);
    const std::vector<std::string_view> run = RequireCommands(body, 1);
    Require(StartsWith(run[0], "name "), "the myname alias does not set the name", line);
}

void RequireScrollNamesLine(std::string_view line) {
    const std::vector<std::string_view> commands = RequireCommands(line, 1);
    for (const std::string_view step :
         GameCommands(QuotedArgument(commands[0], ScrollNamesStart))) {
        const bool alias =
            StartsWith(step, "nm") && step.size() > 2 &&
            std::all_of(step.begin() + 2, step.end(), [](char c) { return c >= '0' && c <= '9'; });
        // With no players the body starts with an empty step, which the game skips.
        Require(alias || step.empty() || step == "wait3" || step == "myname",
                "a stray step in scrollnames", line);
    }
}

void RequireMainLine(std::string_view line) {
    if (StartsWith(line, MyNameStart)) {
        RequireMyNameLine(line);
    } else if (StartsWith(line, ScrollNamesStart)) {
        RequireScrollNamesLine(line);
    } else if (StartsWith(line, EchoStart)) {
        QuotedArgument(RequireCommands(line, 1)[0], EchoStart);
    } else {
        Require(std::any_of(SingleCommandStarts.begin(), SingleCommandStarts.end(),
                            [line](std::string_view start) { return StartsWith(line, start); }),
                "a line the main script never holds", line);
        RequireCommands(line, 1);
    }
}

} // namespace

std::vector<std::string_view> GameCommands(std::string_view line) {
    std::vector<std::string_view> commands;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ';' && !quoted) {
            commands.push_back(line.substr(start, i - start));
            start = i + 1;
        }
    }
    commands.push_back(line.substr(start));
    return commands;
}

int RequireSplitsAsMeant(std::string_view script, ScriptKind kind) {
    Require(script.find('\0') == std::string_view::npos, "a zero byte in a script", script);
    Require(script.empty() || script.back() == '\n', "a script ends inside a line", script);
    int lines = 0;
    for (std::size_t start = 0; start < script.size(); ++lines) {
        const std::size_t end = script.find('\n', start);
        const std::string_view line = script.substr(start, end - start);
        start = end + 1;
        if (kind == ScriptKind::Name)
            QuotedArgument(RequireCommands(line, 1)[0], NameStart);
        else
            RequireMainLine(line);
    }
    return lines;
}
