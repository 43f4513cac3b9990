#pragma once

#include "CommandLine.h"
#include "QueryTool.h"
#include "SweepTool.h"
#include "TestWorld.h"
#include "standin/QuakeServerStandIn.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <memory>
#include <optional>

// vantrel-query in this process, one server's query or the many-server mode as its arguments
// say, the many-server mode on a clock the test moves, its output caught.
class ToolRun {
public:
    ToolRun() {
        out.open(QIODevice::WriteOnly);
        errors.open(QIODevice::WriteOnly);
    }

    void Start(const QStringList& arguments) {
        const CommandLine line = ParseCommandLine(QStringList{"vantrel-query"} + arguments);
        if (line.action == CommandLine::Action::Sweep)
            Begin(sweep = std::make_unique<SweepTool>(line.sweep, out, errors, clock));
        else
            Begin(query = std::make_unique<QueryTool>(line.options, out, errors));
    }
    // The exit status, or -1 when the tool has not finished within five seconds.
    int Run(const QStringList& arguments) {
        Start(arguments);
        return QTest::qWaitFor([this] { return status.has_value(); }, 5000) ? *status : -1;
    }
    QString Text() const { return QString::fromUtf8(out.data()); }
    QJsonDocument Json() const { return QJsonDocument::fromJson(out.data()); }

    ManualClock clock;
    QBuffer out;
    QBuffer errors;
    std::optional<int> status;
    std::unique_ptr<QueryTool> query;
    std::unique_ptr<SweepTool> sweep;

private:
    template <typename Tool> void Begin(const std::unique_ptr<Tool>& tool) {
        QObject::connect(tool.get(), &Tool::Finished, [this](int s) { status = s; });
        tool->Start();
    }
};

inline QString Address(const QuakeServerStandIn& server) {
    return QStringLiteral("127.0.0.1:%1").arg(server.Port());
}

// The bytes form of a text in the JSON output. A number that is no byte spoils the bytes.
inline QByteArray JsonBytes(const QJsonValue& text) {
    QByteArray bytes;
    for (const QJsonValue& b : text[QLatin1String("bytes")].toArray()) {
        const int value = b.toInt(-1);
        bytes.append(value >= 0 && value <= 255 ? QByteArray(1, char(value)) : "<no byte>");
    }
    return bytes;
}
