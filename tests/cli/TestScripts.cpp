#include "QueryWindow.h"
#include "ToolFixture.h"
#include "cli/ExitStatus.h"
#include "cli/RunCommandLine.h"
#include "scripts/GameFolder.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray errors;
};

// The whole program in this process, as the shell would start it.
Run RunProgram(const QStringList& arguments) {
    QBuffer out;
    QBuffer errors;
    out.open(QIODevice::WriteOnly);
    errors.open(QIODevice::WriteOnly);
    Run run;
    run.status =
        RunCommandLine(QStringList{QStringLiteral("vantrel-query")} + arguments, out, errors);
    run.out = out.data();
    run.errors = errors.data();
    return run;
}

QString Server(const QuakeServerStandIn& server) {
    return QStringLiteral("127.0.0.1:%1").arg(server.Port());
}

QStringList ScriptNames() {
    QStringList names{QStringLiteral("vantrel.scr")};
    for (int i = 0; i < 16; ++i)
        names << NameScript(i);
    return names;
}

} // namespace

class TestScripts : public QObject {
    Q_OBJECT

private slots:
    // The names go into the scripts as the window writes them: placeholders, cut to 19 bytes,
    // quotes made harmless, the game's own bytes kept.
    void ScriptsByteForByte() {
        ToolFixture f;
        f.server.Config() = HostileConfig();
        GameFolder game;
        QCOMPARE(f.Run({"--scripts", game.Path()}), int(ExitComplete));
        const QByteArrayList names = {"'quoted' name;", "\xd3\xe8\xe1\xed\xe2\xec\xe5\xf2",
                                      "del\x7fname\x1b[31m", "-player-", "Thirty bytes of a p"};
        QByteArray main = Header("Vantrel v.70") +
                          "alias scrollnames \"nm0;wait3;nm1;wait3;nm2;wait3;nm3;wait3;nm4;wait3;"
                          "myname\"\n";
        for (int i = 0; i < names.size(); ++i) {
            main += EchoLine(i, names[i]);
            QCOMPARE(game.Read(NameScript(i)), "name \"" + names[i] + "\"\n");
        }
        QCOMPARE(game.Read("vantrel.scr"), main);
        for (int i = names.size(); i < 16; ++i) {
            QVERIFY(game.Has(NameScript(i)));
            QCOMPARE(game.Read(NameScript(i)), QByteArray());
        }
    }

    void OwnName() {
        ToolFixture f;
        GameFolder game;
        QCOMPARE(f.Run({"--scripts", game.Path(), "--name", "Me"}), int(ExitComplete));
        QCOMPARE(game.Read("vantrel.scr"), Header("Me") + "alias scrollnames \";myname\"\n");
    }

    // Without a game folder the window refuses to query; so does --scripts, before sending.
    void MissingFolder_data() {
        QTest::addColumn<bool>("withGameFolder");
        QTest::addColumn<QByteArray>("reason");
        QTest::newRow("game folder") << false << QByteArray("Quake Directory Doesn't Exist");
        QTest::newRow("ID1 folder") << true << QByteArray("Quake\\ID1 Directory Doesn't Exist");
    }
    void MissingFolder() {
        QFETCH(bool, withGameFolder);
        QFETCH(QByteArray, reason);
        QuakeServerStandIn server;
        QVERIFY(server.Start());
        QTemporaryDir dir;
        const QString folder = withGameFolder ? dir.path() : dir.filePath("none");
        const Run run = RunProgram({"--scripts", folder, Server(server)});
        QCOMPARE(run.status, int(ExitBadArguments));
        QVERIFY2(run.errors.startsWith("vantrel-query: " + reason + "\nUsage: "),
                 run.errors.constData());
        QVERIFY(run.out.isEmpty());
        QTest::qWait(50);
        QVERIFY(server.Requests().isEmpty());
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    // The window and the tool, one after the other on the same server, show the same and write
    // the same.
    void SameAsTheWindow() {
        QueryWindow w;
        w.server.Config() = HostileConfig();
        w.Open();
        w.PressQuery();
        QTRY_VERIFY(w.AllRepliesIn());
        GameFolder game;
        const Run run = RunProgram({"--json", "--scripts", game.Path(), Server(w.server)});
        QCOMPARE(run.status, int(ExitComplete));
        const QJsonObject doc = QJsonDocument::fromJson(run.out).object();
        QVERIFY(!doc.isEmpty());

        const QJsonObject server = doc["server"].toObject();
        QCOMPARE(JsonText(server["name"]), w.Text("serverName"));
        QCOMPARE(JsonText(server["address"]), w.Text("serverAddress"));
        QCOMPARE(JsonText(server["map"]), w.Text("mapName"));
        QCOMPARE(QString::number(server["players"].toInt()), w.Text("currentPlayers"));
        QCOMPARE(QString::number(server["maxPlayers"].toInt()), w.Text("maxPlayers"));

        const QJsonArray rules = doc["rules"].toArray();
        QCOMPARE(rules.size(), w.RuleList().topLevelItemCount());
        for (int i = 0; i < rules.size(); ++i) {
            QCOMPARE(JsonText(rules[i]["name"]), w.RuleList().topLevelItem(i)->text(0));
            QCOMPARE(JsonText(rules[i]["value"]), w.RuleList().topLevelItem(i)->text(1));
        }

        const QJsonArray players = doc["players"].toArray();
        QCOMPARE(players.size(), w.PlayerList().count());
        for (int i = 0; i < players.size(); ++i) {
            const QJsonObject p = players[i].toObject();
            w.PlayerList().setCurrentRow(i);
            QStringList shown;
            for (int r = 0; r < w.DetailsList().topLevelItemCount(); ++r)
                shown << w.DetailsList().topLevelItem(r)->text(1);
            // The details show the address as received.
            const QStringList printed = {JsonText(p["name"]),
                                         QString::number(p["number"].toInt()),
                                         QString::number(p["frags"].toInt()),
                                         QString::number(p["shirt"]["number"].toInt()),
                                         QString::number(p["pants"]["number"].toInt()),
                                         QString::number(p["connectTime"].toInt()),
                                         QString::fromLatin1(JsonBytes(p["address"]))};
            QCOMPARE(printed, shown);
        }

        for (const QString& name : ScriptNames())
            QCOMPARE(game.Read(name), w.Script(name));
    }
};

int RunScriptTests(int argc, char** argv) {
    TestScripts test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestScripts.moc"
