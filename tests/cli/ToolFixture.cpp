#include "ToolFixture.h"

#include "cli/CommandLine.h"

#include <QJsonArray>
#include <QTest>

ToolFixture::ToolFixture() {
    out.open(QIODevice::WriteOnly);
    errors.open(QIODevice::WriteOnly);
    server.Start();
    serverText = QStringLiteral("127.0.0.1:%1").arg(server.Port());
}

QueryOptions ToolFixture::Options(const QStringList& arguments) const {
    const QStringList line =
        QStringList{QStringLiteral("vantrel-query")} + arguments + QStringList{serverText};
    return ParseCommandLine(line).options;
}

QueryTool& ToolFixture::Start(const QStringList& arguments) {
    tool = std::make_unique<QueryTool>(Options(arguments), out, errors);
    QObject::connect(tool.get(), &QueryTool::Finished, [this](int finished) { status = finished; });
    tool->Start();
    return *tool;
}

int ToolFixture::WaitForEnd() {
    return QTest::qWaitFor([this] { return status.has_value(); }, 5000) ? *status : -1;
}

QJsonDocument ToolFixture::Json() const {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(out.data(), &error);
    return error.error == QJsonParseError::NoError ? document : QJsonDocument();
}

QString JsonText(const QJsonValue& text) {
    return text[QLatin1String("text")].toString();
}

QByteArray JsonBytes(const QJsonValue& text) {
    QByteArray bytes;
    for (const QJsonValue& b : text[QLatin1String("bytes")].toArray())
        bytes.append(char(b.toInt(-1)));
    return bytes;
}

QList<QByteArray> RequestsWithCode(const QuakeServerStandIn& server, quint8 code) {
    QList<QByteArray> found;
    for (const QByteArray& request : server.Requests()) {
        if (request.size() > 4 && quint8(request[4]) == code)
            found.append(request);
    }
    return found;
}

StandInConfig HostileConfig() {
    StandInConfig c;
    c.serverName = "\x80\x81 \"Hostile\" \\ server \x7f\xff";
    c.mapName = "e1m1\x8d";
    c.maxPlayers = 8;
    c.players = {
        {"\"quoted\" name;", 4, 13, -3, 12, "10.0.0.2:26000"},
        {"\xd3\xe8\xe1\xed\xe2\xec\xe5\xf2", 15, 14, 0, 1, "10.0.0.3:26000"},
        {"del\x7fname\x1b[31m", 2, 3, 100000, -5, "10.0.0.4:26000"},
        {"player", 0, 0, 0, 0, "10.0.0.5:26000"},
        {"Thirty bytes of a player name.", 12, 11, 7, 8, "10.0.0.6:26000"},
    };
    c.rules = {{"sv_" + QByteArray(57, 'x'), "\"v\"\xe1\x7f"},
               {"sv_gravity", "800"},
               {"noexit", "\x1b\x10\x11"}};
    return c;
}
