#pragma once

#include "cli/QueryTool.h"
#include "standin/QuakeServerStandIn.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QStringList>
#include <memory>
#include <optional>

// vantrel-query's logic in this process beside a stand-in server, its output caught.
class ToolFixture {
public:
    ToolFixture();

    // The options that the arguments give, with `server` as the server.
    QueryOptions Options(const QStringList& arguments = {}) const;
    QueryTool& Start(const QStringList& arguments = {});
    // Waits for the end of the query: its exit status, or -1 when none came.
    int WaitForEnd();
    int Run(const QStringList& arguments = {}) {
        Start(arguments);
        return WaitForEnd();
    }

    QueryTool& Tool() { return *tool; }
    std::optional<int> Status() const { return status; }
    QByteArray Out() const { return out.data(); }
    QString Text() const { return QString::fromUtf8(out.data()); }
    QByteArray Errors() const { return errors.data(); }
    // The output parsed as JSON; null when it is not one valid document.
    QJsonDocument Json() const;

    QuakeServerStandIn server;
    // The server as the command line names it; the stand-in unless a test changes it.
    QString serverText;

private:
    QBuffer out;
    QBuffer errors;
    std::unique_ptr<QueryTool> tool;
    std::optional<int> status;
};

// The two forms of a text in the JSON output.
QString JsonText(const QJsonValue& text);
QByteArray JsonBytes(const QJsonValue& text);

// The stand-in's own requests of one kind (the code byte), in the order they came.
QList<QByteArray> RequestsWithCode(const QuakeServerStandIn& server, quint8 code);

// A server that sends what no client should trust: quotes, bytes of the game's own character set,
// DEL, an escape sequence, a name longer than the window lists, a rule name of 60 characters.
StandInConfig HostileConfig();
