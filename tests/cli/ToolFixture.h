#pragma once

#include "QueryTool.h"
#include "standin/QuakeServerStandIn.h"

#include <QBuffer>
#include <QJsonObject>
#include <QStringList>
#include <memory>
#include <optional>

// vantrel-query's logic in this process beside a stand-in server, its output caught.
class ToolFixture {
public:
    ToolFixture();

    // Starts a query of `serverText` with these options before it.
    QueryTool& Start(const QStringList& arguments = {});
    // Waits for the end of the query: its exit status, or -1 when none came.
    int WaitForEnd();
    int Run(const QStringList& arguments = {}) {
        Start(arguments);
        return WaitForEnd();
    }

    std::optional<int> Status() const { return status; }
    QByteArray Out() const { return out.data(); }
    QString Text() const { return QString::fromUtf8(out.data()); }
    QByteArray Errors() const { return errors.data(); }
    // The output as one JSON document; empty when it is not one valid document.
    QJsonObject Json() const;

    QuakeServerStandIn server;
    // The server as the command line names it; the stand-in unless a test changes it.
    QString serverText;

private:
    QBuffer out;
    QBuffer errors;
    std::unique_ptr<QueryTool> tool;
    std::optional<int> status;
};

// The two forms of a text in the JSON output. A number that is no byte spoils the bytes.
QString JsonText(const QJsonValue& text);
QByteArray JsonBytes(const QJsonValue& text);

// How many requests with this code byte the stand-in has had.
qsizetype RequestsWithCode(const QuakeServerStandIn& server, char code);
