#include "ExitStatus.h"
#include "ExpectedScripts.h"
#include "QueryWindow.h"
#include "TestRegistry.h"
#include "ToolFixture.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QTest>

namespace {

// A server that sends what no client should trust: quotes, bytes of the game's own character set,
// DEL, an escape sequence, a name longer than the window lists, a rule name of 60 characters.
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

} // namespace

class TestScripts : public QObject {
    Q_OBJECT

private slots:
    // The names go into the scripts as the window writes them: placeholders, cut to 19 bytes,
    // quotes made harmless, the game's own bytes kept. What is printed is safe to show, and
    // --no-rules asks for none.
    void ScriptsByteForByte() {
        ToolFixture f;
        f.server.Config() = HostileConfig();
        MainWindowFixture game;
        QCOMPARE(f.Run({"--raw", "--no-rules", "--scripts", game.GamePath(), "--name", "Me"}),
                 int(ExitComplete));
        // Done without asking for a rule.
        QCOMPARE(RequestsWithCode(f.server, '\x04'), 0);
        QVERIFY(!f.Text().contains(QStringLiteral("sv_gravity")));
        // Control bytes never reach the terminal, even as the bytes came.
        QVERIFY(!f.Text().contains(QRegularExpression("[\\x00-\\x09\\x0b-\\x1f\\x7f-\\x9f]")));
        QVERIFY(f.Text().contains(QStringLiteral("del\\x7fname\\x1b[31m")));

        const QByteArrayList names = {"'quoted' name;", "\xd3\xe8\xe1\xed\xe2\xec\xe5\xf2",
                                      "del\x7fname\x1b[31m", "-player-", "Thirty bytes of a p"};
        QByteArray main = ScriptHeader("Me") +
                          "alias scrollnames \"nm0;wait3;nm1;wait3;nm2;wait3;nm3;wait3;nm4;wait3;"
                          "myname\"\n";
        for (int i = 0; i < names.size(); ++i) {
            main += EchoLine(i, names[i]);
            QCOMPARE(game.Script(NameScript(i)), "name \"" + names[i] + "\"\n");
        }
        QCOMPARE(game.Script("vantrel.scr"), main);
        for (int i = names.size(); i < 16; ++i) {
            QVERIFY(QFile::exists(game.DataPath() + u'/' + NameScript(i)));
            QCOMPARE(game.Script(NameScript(i)), QByteArray());
        }
    }

    // The window and the tool, one after the other on the same hostile server, show the same
    // and write the same; every byte survives into the JSON, which stays valid.
    void SameAsTheWindow() {
        QueryWindow w;
        w.server.Config() = HostileConfig();
        w.Open();
        w.PressQuery();
        QTRY_VERIFY(w.AllRepliesIn());
        ToolFixture f;
        f.serverText = QStringLiteral("127.0.0.1:%1").arg(w.server.Port());
        MainWindowFixture game;
        QCOMPARE(f.Run({"--json", "--scripts", game.GamePath()}), int(ExitComplete));
        const QJsonObject doc = f.Json();
        QVERIFY2(!doc.isEmpty(), f.Out().constData());
        const StandInConfig& sent = w.server.Config();

        const QJsonValue server = doc["server"];
        QCOMPARE(JsonBytes(server["name"]), sent.serverName);
        QCOMPARE(JsonText(server["name"]), QStringLiteral("-- \"Hostile\" \\ server \x7f\x7f"));
        QCOMPARE(JsonText(server["name"]), w.Text("serverName"));
        QCOMPARE(JsonText(server["address"]), w.Text("serverAddress"));
        QCOMPARE(JsonBytes(server["map"]), sent.mapName);
        QCOMPARE(JsonText(server["map"]), w.Text("mapName"));
        QCOMPARE(QString::number(server["players"].toInt()), w.Text("currentPlayers"));
        QCOMPARE(QString::number(server["maxPlayers"].toInt()), w.Text("maxPlayers"));

        const QJsonArray rules = doc["rules"].toArray();
        QCOMPARE(rules.size(), sent.rules.size());
        QCOMPARE(rules.size(), w.RuleList().topLevelItemCount());
        for (int i = 0; i < rules.size(); ++i) {
            QCOMPARE(JsonBytes(rules[i]["name"]), sent.rules[i].name);
            QCOMPARE(JsonBytes(rules[i]["value"]), sent.rules[i].value);
            QCOMPARE(JsonText(rules[i]["name"]), w.RuleList().topLevelItem(i)->text(0));
            QCOMPARE(JsonText(rules[i]["value"]), w.RuleList().topLevelItem(i)->text(1));
        }
        QCOMPARE(JsonText(rules[0]["name"]).size(), 60);

        const QJsonArray players = doc["players"].toArray();
        QCOMPARE(players.size(), sent.players.size());
        QCOMPARE(players.size(), w.PlayerList().count());
        for (int i = 0; i < players.size(); ++i) {
            const QJsonValue p = players[i];
            QCOMPARE(JsonBytes(p["name"]), sent.players[i].name);
            QCOMPARE(JsonBytes(p["address"]), sent.players[i].address);
            // The details show the name converted and the address as received.
            QStringList printed{JsonText(p["name"])};
            for (const char* key : {"number", "frags", "shirt", "pants", "connectTime"}) {
                const QJsonValue value = p[QLatin1String(key)];
                printed << QString::number(value.isObject() ? value["number"].toInt()
                                                            : value.toInt());
            }
            printed << QString::fromLatin1(JsonBytes(p["address"]));
            w.PlayerList().setCurrentRow(i);
            QStringList shown;
            for (int r = 0; r < w.DetailsList().topLevelItemCount(); ++r)
                shown << w.DetailsList().topLevelItem(r)->text(1);
            QCOMPARE(printed, shown);
        }

        QCOMPARE(game.Script("vantrel.scr"), w.Script("vantrel.scr"));
        for (int i = 0; i < 16; ++i)
            QCOMPARE(game.Script(NameScript(i)), w.Script(NameScript(i)));
    }
};

VANTREL_TEST(TestScripts)
#include "TestScripts.moc"
