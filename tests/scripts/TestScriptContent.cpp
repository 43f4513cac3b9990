#include "GameFolder.h"
#include "scripts/PlayerNameList.h"
#include "scripts/ScriptWriter.h"

#include <QTest>

namespace {

// One query as the reply handlers drive it: start, server info, every player once.
void RunQuery(ScriptWriter& writer, PlayerNameList& names, const QList<QByteArray>& players) {
    writer.RestartScripts();
    writer.WriteScrollNames(int(players.size()));
    names.Resize(int(players.size()));
    for (int i = 0; i < players.size(); ++i) {
        names.Set(i, players[i].toStdString());
        writer.WriteNameScript(i, players[i].toStdString());
    }
    writer.WritePlayerList(int(players.size()), names);
}

} // namespace

class TestScriptContent : public QObject {
    Q_OBJECT

private slots:
    // The files are read while the writer still holds them open: each line must already be
    // in the file.
    void WorkedExample_data() {
        QTest::addColumn<QString>("dataFolder");
        QTest::newRow("ID1") << "ID1";
        QTest::newRow("id1") << "id1";
    }
    void WorkedExample() {
        QFETCH(QString, dataFolder);
        GameFolder game(dataFolder);
        const Settings settings = ScriptSettings(game.Path());
        ScriptWriter writer(settings);
        PlayerNameList names;
        QCOMPARE(writer.OpenScriptFiles(), ScriptWriter::OpenResult::Opened);
        RunQuery(writer, names, {"-player-", "-unconnected-"});

        QCOMPARE(game.Read("vantrel.scr"),
                 Header("Vantrel v.70") + "alias scrollnames \"nm0;wait3;nm1;wait3;myname\"\n" +
                     "echo \"\x8D nm0 \x8F -player-\"\n" +
                     "echo \"\x8D nm1 \x8F -unconnected-\"\n");
        QCOMPARE(game.Read(NameScript(0)), QByteArray("name \"-player-\"\n"));
        QCOMPARE(game.Read(NameScript(1)), QByteArray("name \"-unconnected-\"\n"));
        for (int i = 2; i < 16; ++i) {
            QVERIFY(game.Has(NameScript(i)));
            QCOMPARE(game.Read(NameScript(i)), QByteArray());
        }
    }

    void MainScriptAfterRestart_data() {
        QTest::addColumn<QString>("quakename");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("default") << "Vantrel v.70" << QByteArray("Vantrel v.70");
        QTest::newRow("empty") << "" << QByteArray();
        QTest::newRow("long") << QString(300, u'n') << QByteArray(300, 'n');
        QTest::newRow("latin-1") << QString::fromLatin1("\xE9\xA0x") << QByteArray("\xE9\xA0x");
    }
    void MainScriptAfterRestart() {
        QFETCH(QString, quakename);
        QFETCH(QByteArray, bytes);
        GameFolder game;
        const Settings settings = ScriptSettings(game.Path(), 1, quakename);
        ScriptWriter writer(settings);
        writer.RestartScripts();
        const QByteArray main = game.Read("vantrel.scr");
        QCOMPARE(main.size(), 641 + bytes.size());
        QCOMPARE(main, Header(bytes));
    }

    void ScrollNamesLine_data() {
        QTest::addColumn<int>("players");
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("0") << 0 << 28 << QByteArray("alias scrollnames \";myname\"\n");
        QTest::newRow("1") << 1 << 37 << QByteArray("alias scrollnames \"nm0;wait3;myname\"\n");
        QTest::newRow("2") << 2 << 47
                           << QByteArray("alias scrollnames \"nm0;wait3;nm1;wait3;myname\"\n");
        QTest::newRow("10") << 10 << 127 << QByteArray();
        QTest::newRow("11") << 11 << 138 << QByteArray();
        QTest::newRow("16") << 16 << 193 << QByteArray();
        QTest::newRow("17") << 17 << 193 << QByteArray();
        QTest::newRow("255") << 255 << 193 << QByteArray();
    }
    void ScrollNamesLine() {
        QFETCH(int, players);
        QFETCH(int, length);
        QFETCH(QByteArray, line);
        GameFolder game;
        const Settings settings = ScriptSettings(game.Path());
        ScriptWriter writer(settings);
        writer.RestartScripts();
        writer.WriteScrollNames(players);
        const QByteArray main = game.Read("vantrel.scr");
        QVERIFY(main.startsWith(Header("Vantrel v.70")));
        const QByteArray written = main.mid(Header("Vantrel v.70").size());
        QCOMPARE(written.size(), length);
        if (!line.isEmpty())
            QCOMPARE(written, line);
    }

    void SixteenPlayers() {
        GameFolder game;
        const Settings settings = ScriptSettings(game.Path());
        ScriptWriter writer(settings);
        PlayerNameList names;
        QList<QByteArray> players;
        QByteArray expected = Header("Vantrel v.70") + "alias scrollnames \"nm0;wait3";
        for (int i = 1; i < 16; ++i)
            expected += ";nm" + QByteArray::number(i) + ";wait3";
        expected += ";myname\"\n";
        for (int i = 0; i < 16; ++i) {
            players << "p" + QByteArray::number(i);
            expected += EchoLine(i, players.last());
        }
        writer.OpenScriptFiles();
        RunQuery(writer, names, players);

        QCOMPARE(game.Read("vantrel.scr"), expected);
        for (int i = 0; i < 16; ++i)
            QCOMPARE(game.Read(NameScript(i)), "name \"p" + QByteArray::number(i) + "\"\n");
    }

    // Numbers past the sixteen name scripts get no script, but still their player-list line.
    void MorePlayersThanNameScripts() {
        GameFolder game;
        const Settings settings = ScriptSettings(game.Path());
        ScriptWriter writer(settings);
        PlayerNameList names;
        QList<QByteArray> players;
        for (int i = 0; i < 20; ++i)
            players << "p" + QByteArray::number(i);
        writer.OpenScriptFiles();
        RunQuery(writer, names, players);

        const QByteArray main = game.Read("vantrel.scr");
        QVERIFY(main.endsWith(EchoLine(18, "p18") + EchoLine(19, "p19")));
        QCOMPARE(main.count("echo"), 20);
        QVERIFY(!game.Has(NameScript(16)));
        QCOMPARE(game.Read(NameScript(15)), QByteArray("name \"p15\"\n"));
    }

    // A list shorter than the count writes empty names rather than reading past its end.
    void PlayerListShorterThanCount() {
        GameFolder game;
        const Settings settings = ScriptSettings(game.Path());
        ScriptWriter writer(settings);
        PlayerNameList names;
        names.Resize(1);
        names.Set(0, "a");
        writer.RestartScripts();
        writer.WritePlayerList(3, names);
        QCOMPARE(game.Read("vantrel.scr"),
                 Header("Vantrel v.70") + EchoLine(0, "a") + EchoLine(1, "") + EchoLine(2, ""));
    }

    void RepeatedReplies() {
        GameFolder game;
        const Settings settings = ScriptSettings(game.Path());
        ScriptWriter writer(settings);
        PlayerNameList names;
        writer.OpenScriptFiles();
        RunQuery(writer, names, {"a"});
        writer.WriteScrollNames(1);
        writer.WritePlayerList(1, names);
        writer.WriteNameScript(0, "a");

        const QByteArray scroll = "alias scrollnames \"nm0;wait3;myname\"\n";
        QCOMPARE(game.Read("vantrel.scr"),
                 Header("Vantrel v.70") + scroll + EchoLine(0, "a") + scroll + EchoLine(0, "a"));
        QCOMPARE(game.Read(NameScript(0)), QByteArray("name \"a\"\nname \"a\"\n"));
    }

    void HighBytesUnchanged() {
        GameFolder game;
        const QByteArray name = "\x8D\xA0\xE9\xFF\x01z";
        const Settings settings = ScriptSettings(game.Path());
        ScriptWriter writer(settings);
        PlayerNameList names;
        writer.OpenScriptFiles();
        RunQuery(writer, names, {name});
        QCOMPARE(game.Read(NameScript(0)), "name \"" + name + "\"\n");
        QVERIFY(game.Read("vantrel.scr").endsWith(EchoLine(0, name)));
    }
};

int RunScriptContentTests(int argc, char** argv) {
    TestScriptContent test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestScriptContent.moc"
