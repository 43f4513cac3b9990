#include "RunCommandLine.h"

#include "CommandLine.h"
#include "EndOnSignal.h"
#include "ExitStatus.h"
#include "HistoryStore.h"
#include "HistoryTool.h"
#include "HourlyRollUp.h"
#include "ProgramName.h"
#include "QueryTool.h"
#include "RefreshTool.h"
#include "WatchTool.h"

#include <QEventLoop>
#include <QIODevice>
#include <optional>

namespace {

void WriteLine(QIODevice& device, const QString& line) {
    device.write((line + u'\n').toUtf8());
}

// Runs the tool in an event loop of its own until it finishes, and gives its status.
template <typename Tool> int Run(Tool& tool) {
    QEventLoop loop;
    std::optional<int> status;
    QObject::connect(&tool, &Tool::Finished, &loop, [&](int finished) {
        status = finished;
        loop.quit();
    });
    tool.Start();
    if (!status)
        loop.exec();
    return *status;
}

// A history that cannot be used is told of once; the servers are asked all the same.
bool OpenHistory(HistoryStore& history, const QString& path, QIODevice& errors) {
    const bool opened = history.Open(path);
    if (!opened)
        WriteLine(errors, ProgramName + QStringLiteral(": ") + history.Problem());
    return opened;
}

} // namespace

int RunCommandLine(const QStringList& arguments, QIODevice& out, QIODevice& errors,
                   const QString& historyPath) {
    const CommandLine line = ParseCommandLine(arguments);
    HistoryStore history;
    switch (line.action) {
    case CommandLine::Action::Help:
        out.write(line.usage.toUtf8());
        return ExitComplete;
    case CommandLine::Action::Version:
        WriteLine(out, ProgramName + QStringLiteral(" " VANTREL_VERSION));
        return ExitComplete;
    case CommandLine::Action::Refuse:
        WriteLine(errors, ProgramName + QStringLiteral(": ") + line.error);
        errors.write(line.usage.toUtf8());
        return ExitBadArguments;
    case CommandLine::Action::History:
        if (!OpenHistory(history, historyPath, errors))
            return ExitNoHistory;
        return ShowHistory(line.history, history, out);
    case CommandLine::Action::HistoryExport:
        if (!OpenHistory(history, historyPath, errors))
            return ExitNoHistory;
        return ExportHistory(line.history, history, errors);
    case CommandLine::Action::Refresh:
    case CommandLine::Action::Watch:
    case CommandLine::Action::Query:
        break;
    }

    OpenHistory(history, historyPath, errors);
    const HourlyRollUp rollUp(history);
    if (line.action == CommandLine::Action::Refresh) {
        RefreshTool tool(line.refresh, out, errors, history);
        return Run(tool);
    }
    if (line.action == CommandLine::Action::Watch) {
        EndOnSignal();
        WatchTool tool(line.watch, out, errors, history);
        return Run(tool);
    }
    QueryTool tool(line.options, out, errors, history);
    const int status = Run(tool);
    // The tool has told why it refused; the usage follows, as for any refused argument.
    if (status == ExitBadArguments)
        errors.write(line.usage.toUtf8());
    return status;
}
