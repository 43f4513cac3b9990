#include "ToolFixture.h"

#include "CommandLine.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

ToolFixture::ToolFixture() {
    out.open(QIODevice::WriteOnly);
    errors.open(QIODevice::WriteOnly);
    server.Start();
    serverText = QStringLiteral("127.0.0.1:%1").arg(server.Port());
}

QueryTool& ToolFixture::Start(const QStringList& arguments) {
    const QueryOptions options =
        ParseCommandLine(QStringList{QStringLiteral("vantrel-query")} + arguments << serverText)
            .options;
    tool = std::make_unique<QueryTool>(options, out, errors);
    QObject::connect(tool.get(), &QueryTool::Finished, [this](int finished) { status = finished; });
    tool->Start();
    return *tool;
}

int ToolFixture::WaitForEnd() {
    return QTest::qWaitFor([this] { return status.has_value(); }, 5000) ? *status : -1;
}

QJsonObject ToolFixture::Json() const {
    return QJsonDocument::fromJson(out.data()).object();
}

QString JsonText(const QJsonValue& text) {
    return text[QLatin1String("text")].toString();
}

QByteArray JsonBytes(const QJsonValue& text) {
    QByteArray bytes;
    for (const QJsonValue& b : text[QLatin1String("bytes")].toArray()) {
        const int value = b.toInt(-1);
        bytes.append(value >= 0 && value <= 255 ? QByteArray(1, char(value)) : "<no byte>");
    }
    return bytes;
}

qsizetype RequestsWithCode(const QuakeServerStandIn& server, char code) {
    return std::count_if(server.Requests().begin(), server.Requests().end(),
                         [code](const QByteArray& r) { return r.size() > 4 && r[4] == code; });
}
