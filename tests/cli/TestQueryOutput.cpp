#include "ToolFixture.h"
#include "cli/ExitStatus.h"
#include "standin/DemoConfig.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

namespace {

// The ping of a loopback query may come out as 0 or 1 ms.
QString WithoutPing(QString text) {
    return text.replace(QRegularExpression(QStringLiteral("^Ping     \\d+ ms$"),
                                           QRegularExpression::MultilineOption),
                        QStringLiteral("Ping     N ms"));
}

const char* const normalText = R"(Server   Vantrel stand-in
Address  127.0.0.1:%1
Map      e1m1
Players  4/16
Ping     N ms

#  Name      Frags  Shirt    Pants    Connected  Address
0  Ranger       -2  0 white  4 red           60  127.0.0.1:27001
1  Fiend         5  5 olive  7 peach        157  127.0.0.1:27002
2  Shambler     12  10 tan   10 tan         254  127.0.0.1:27003
3  [Vore]       19  1 brown  13 blue        351  127.0.0.1:27004

Rule         Value
sv_gravity   800
sv_friction  4
sv_maxspeed  320
deathmatch   1
teamplay     0
)";

} // namespace

class TestQueryOutput : public QObject {
    Q_OBJECT

private slots:
    // It ends as soon as the last reply is in, long before its 20 seconds are up.
    void NormalServerText() {
        ToolFixture f;
        f.server.Config().players = DemoPlayers(4);
        f.server.Config().rules = DemoRules(5);
        QCOMPARE(f.Run(), int(ExitComplete));
        QCOMPARE(WithoutPing(f.Text()), QString::fromLatin1(normalText).arg(f.server.Port()));
        QVERIFY(f.Errors().isEmpty());
    }

    void NormalServerJson() {
        ToolFixture f;
        f.server.Config().players = DemoPlayers(4);
        f.server.Config().rules = DemoRules(5);
        QCOMPARE(f.Run({"--json"}), int(ExitComplete));
        QCOMPARE(f.Out().count('\n'), 1);
        const QJsonObject doc = f.Json().object();
        QVERIFY(!doc.isEmpty());
        QCOMPARE(doc["complete"].toBool(false), true);
        QCOMPARE(doc["missing"].toArray(), QJsonArray());

        const QJsonObject server = doc["server"].toObject();
        QCOMPARE(JsonText(server["name"]), QStringLiteral("Vantrel stand-in"));
        QCOMPARE(JsonBytes(server["name"]), QByteArray("Vantrel stand-in"));
        QCOMPARE(JsonText(server["address"]), QStringLiteral("127.0.0.1:%1").arg(f.server.Port()));
        QCOMPARE(JsonText(server["map"]), QStringLiteral("e1m1"));
        QCOMPARE(server["players"].toInt(), 4);
        QCOMPARE(server["maxPlayers"].toInt(), 16);
        QVERIFY(server["ping"].isDouble() && server["ping"].toInt(-1) >= 0);

        const QJsonArray players = doc["players"].toArray();
        QCOMPARE(players.size(), 4);
        const QJsonObject shambler = players[2].toObject();
        QCOMPARE(shambler["number"].toInt(), 2);
        QCOMPARE(JsonText(shambler["name"]), QStringLiteral("Shambler"));
        QCOMPARE(JsonBytes(shambler["name"]), f.server.Config().players[2].name);
        QCOMPARE(shambler["frags"].toInt(), 12);
        QCOMPARE(shambler["shirt"].toObject(), (QJsonObject{{"number", 10}, {"name", "tan"}}));
        QCOMPARE(players[3].toObject()["pants"].toObject(),
                 (QJsonObject{{"number", 13}, {"name", "blue"}}));
        QCOMPARE(shambler["connectTime"].toInt(), 254);
        QCOMPARE(JsonText(shambler["address"]), QStringLiteral("127.0.0.1:27003"));

        const QJsonArray rules = doc["rules"].toArray();
        QCOMPARE(rules.size(), 5);
        QCOMPARE(JsonText(rules[0]["name"]), QStringLiteral("sv_gravity"));
        QCOMPARE(JsonBytes(rules[4]["value"]), QByteArray("0"));
    }

    // Every byte survives into the JSON, which stays valid whatever the server sends.
    void HostileServerJson() {
        ToolFixture f;
        f.server.Config() = HostileConfig();
        QCOMPARE(f.Run({"--json"}), int(ExitComplete));
        const QJsonObject doc = f.Json().object();
        QVERIFY2(!doc.isEmpty(), f.Out().constData());
        const StandInConfig& sent = f.server.Config();

        const QJsonObject server = doc["server"].toObject();
        QCOMPARE(JsonBytes(server["name"]), sent.serverName);
        QCOMPARE(JsonText(server["name"]), QStringLiteral("-- \"Hostile\" \\ server \x7f\x7f"));
        QCOMPARE(JsonBytes(server["map"]), sent.mapName);
        QCOMPARE(JsonText(server["map"]), QStringLiteral("e1m1>"));

        const QJsonArray players = doc["players"].toArray();
        QCOMPARE(players.size(), sent.players.size());
        for (qsizetype i = 0; i < players.size(); ++i) {
            QCOMPARE(JsonBytes(players[i]["name"]), sent.players[i].name);
            QCOMPARE(JsonBytes(players[i]["address"]), sent.players[i].address);
        }
        QCOMPARE(JsonText(players[0]["name"]), QStringLiteral("\"quoted\" name;"));
        QCOMPARE(JsonText(players[1]["name"]), QStringLiteral("Shambler"));
        QCOMPARE(JsonText(players[2]["name"]), QStringLiteral("del\x7fname9[31m"));
        // The list's placeholder is the window's; the record keeps the name as received.
        QCOMPARE(JsonText(players[3]["name"]), QStringLiteral("player"));
        QCOMPARE(JsonText(players[4]["name"]), QStringLiteral("Thirty bytes of a player name."));
        QCOMPARE(players[1]["shirt"].toObject(),
                 (QJsonObject{{"number", 15}, {"name", "colour 15"}}));
        QCOMPARE(players[1]["pants"].toObject(),
                 (QJsonObject{{"number", 14}, {"name", "colour 14"}}));
        QCOMPARE(players[2]["connectTime"].toInt(), -5);

        const QJsonArray rules = doc["rules"].toArray();
        QCOMPARE(rules.size(), 3);
        QCOMPARE(JsonBytes(rules[0]["name"]), sent.rules[0].name);
        QCOMPARE(JsonText(rules[0]["name"]).size(), 60);
        QCOMPARE(JsonBytes(rules[0]["value"]), sent.rules[0].value);
        QCOMPARE(JsonText(rules[0]["value"]), QStringLiteral("\"v\"a\x7f"));
        QCOMPARE(JsonText(rules[2]["value"]), QStringLiteral("9[]"));
    }

    // Control bytes never reach the terminal; converted or raw, the rest shows as it reads.
    void HostileServerText_data() {
        QTest::addColumn<bool>("raw");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("converted")
            << false
            << QStringList{"Server  -- \"Hostile\" \\ server \\x7f\\x7f\n",
                           "Map  e1m1>\n",
                           "\n1  Shambler  0  15 colour 15  14 colour 14  1  10.0.0.3:26000\n",
                           "\n2  del\\x7fname9[31m  100000  2 light blue  3 green  -5  ",
                           "\n3  player  0  0 white  0 white  0  10.0.0.5:26000\n",
                           "\nnoexit  9[]\n"};
        QTest::newRow("raw") << true
                             << QStringList{"Server  \\x80\\x81 \"Hostile\" \\ server \\x7fÿ\n",
                                            "Map  e1m1\\x8d\n", "\n1  Óèáíâìåò  0  ",
                                            "\n2  del\\x7fname\\x1b[31m  100000  ",
                                            "\nnoexit  \\x1b\\x10\\x11\n"};
    }
    void HostileServerText() {
        QFETCH(bool, raw);
        QFETCH(QStringList, lines);
        ToolFixture f;
        f.server.Config() = HostileConfig();
        QCOMPARE(f.Run(raw ? QStringList{"--raw"} : QStringList{}), int(ExitComplete));
        QString text = f.Text();
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            QVERIFY2(u == u'\n' || (u >= 0x20 && u != 0x7f && !(u >= 0x80 && u < 0xa0)),
                     qPrintable(QString::number(u, 16)));
        }
        // Column widths aside.
        text.replace(QRegularExpression(QStringLiteral(" {2,}")), QStringLiteral("  "));
        for (const QString& line : lines)
            QVERIFY2(text.contains(line), qPrintable(line + u'\n' + text));
        QVERIFY(
            text.contains(QStringLiteral("\nsv_") + QString(57, u'x') + QStringLiteral("  \"v\"")));
    }

    // A server that sends each reply twice is no different from one that sends it once.
    void DuplicatedReplies() {
        ToolFixture f;
        f.server.Config().players = DemoPlayers(4);
        f.server.Config().rules = DemoRules(5);
        f.server.Faults().duplicate = true;
        QCOMPARE(f.Run(), int(ExitComplete));
        QCOMPARE(WithoutPing(f.Text()), QString::fromLatin1(normalText).arg(f.server.Port()));
    }
};

int RunQueryOutputTests(int argc, char** argv) {
    TestQueryOutput test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestQueryOutput.moc"
