#include "RunCommandLine.h"

#include "CommandLine.h"
#include "EndOnSignal.h"
#include "ExitStatus.h"
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

} // namespace

int RunCommandLine(const QStringList& arguments, QIODevice& out, QIODevice& errors) {
    const CommandLine line = ParseCommandLine(arguments);
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
    case CommandLine::Action::Refresh: {
        RefreshTool tool(line.refresh, out, errors);
        return Run(tool);
    }
    case CommandLine::Action::Watch: {
        EndOnSignal();
        WatchTool tool(line.watch, out, errors);
        return Run(tool);
    }
    case CommandLine::Action::Query:
        break;
    }

    QueryTool tool(line.options, out, errors);
    const int status = Run(tool);
    // The tool has told why it refused; the usage follows, as for any refused argument.
    if (status == ExitBadArguments)
        errors.write(line.usage.toUtf8());
    return status;
}
