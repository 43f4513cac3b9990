#include "GameFolder.h"
#include "TestRegistry.h"

#include <QTest>

namespace {

// Splits script text into commands the way the game's command buffer does: a line feed always
// ends a command, a semicolon only outside double quotes. Empty commands are dropped.
QByteArrayList Commands(const QByteArray& text) {
    QByteArrayList commands;
    QByteArray command;
    bool quoted = false;
    for (const char c : text + '\n') {
        if (c == '\n' || (c == ';' && !quoted)) {
            if (!command.isEmpty())
                commands << command;
            command.clear();
            quoted = false;
        } else {
            quoted ^= c == '"';
            command += c;
        }
    }
    return commands;
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
        ScriptWriter writer(game.settings);
        QCOMPARE(writer.OpenScriptFiles(), ScriptWriter::OpenResult::Opened);
        RunQuery(writer, {"-player-", "-unconnected-"});

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
        QTest::newRow("empty") << "" << QByteArray();
        QTest::newRow("long") << QString(300, u'n') << QByteArray(300, 'n');
        QTest::newRow("latin-1") << QString::fromLatin1("\xE9\xA0x") << QByteArray("\xE9\xA0x");
    }
    void MainScriptAfterRestart() {
        QFETCH(QString, quakename);
        QFETCH(QByteArray, bytes);
        GameFolder game;
        game.settings.quakename = quakename;
        ScriptWriter writer(game.settings);
        writer.RestartScripts();
        const QByteArray main = game.Read("vantrel.scr");
        QCOMPARE(main.size(), 641 + bytes.size());
        QCOMPARE(main, Header(bytes));
    }

    // Players past the sixteen name scripts are left out of the scroll line and get no name
    // script, but still their player-list line.
    void ScrollNamesLine_data() {
        QTest::addColumn<int>("players");
        QTest::addColumn<int>("length");
        QTest::newRow("0") << 0 << 28;
        QTest::newRow("1") << 1 << 37;
        QTest::newRow("11") << 11 << 138;
        QTest::newRow("16") << 16 << 193;
        QTest::newRow("255") << 255 << 193;
    }
    void ScrollNamesLine() {
        QFETCH(int, players);
        QFETCH(int, length);
        GameFolder game;
        ScriptWriter writer(game.settings);
        QByteArrayList names;
        for (int i = 0; i < players; ++i)
            names << QByteArray::number(i);
        RunQuery(writer, names);
        const QByteArray main = game.Read("vantrel.scr");
        QVERIFY(main.startsWith(Header("Vantrel v.70")));
        const QByteArrayList lines = main.mid(Header("Vantrel v.70").size()).split('\n');
        QCOMPARE(lines.first().size() + 1, length);
        QCOMPARE(lines.size(), players + 2);
        QCOMPARE(lines[players],
                 players == 0 ? lines.first()
                              : "echo \"\x8D nm" + names.last() + " \x8F " + names.last() + '"');
        QVERIFY(game.Has(NameScript(15)) && !game.Has(NameScript(16)));
    }

    // A player's name from the server and the user's own name, as the game would run them.
    void HostileNames_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("asPlayer");
        QTest::addColumn<QByteArray>("asOwn");
        QTest::newRow("bind") << QByteArray("x\";bind mouse1 quit;\"")
                              << QByteArray("x';bind mouse1 quit;'")
                              << QByteArray("x':bind mouse1 quit:'");
        QTest::newRow("carriage return")
            << QByteArray("a\rquit\r") << QByteArray("a quit ") << QByteArray("a quit ");
        QTest::newRow("quote, line feed")
            << QByteArray("\"\n\";quit") << QByteArray("' ';quit") << QByteArray("' ':quit");
        // A zero byte would end the whole file for the game.
        QTest::newRow("zero") << QByteArray("a\0quit", 6) << QByteArray("a quit")
                              << QByteArray("a quit");
        const QByteArray high = "\x8D\xA0\xE9\xFF\x01z";
        QTest::newRow("high bytes unchanged") << high << high << high;
    }
    void HostileNames() {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, asPlayer);
        QFETCH(QByteArray, asOwn);
        GameFolder game;
        game.settings.quakename = QString::fromLatin1(name);
        ScriptWriter writer(game.settings);
        writer.OpenScriptFiles();
        RunQuery(writer, {name});

        QCOMPARE(Commands(game.Read(NameScript(0))), QByteArrayList{"name \"" + asPlayer + '"'});
        const QByteArrayList tail = {"alias scrollnames \"nm0;wait3;myname\"",
                                     "echo \"\x8D nm0 \x8F " + asPlayer + '"'};
        QCOMPARE(Commands(game.Read("vantrel.scr")), Commands(Header(asOwn)) + tail);
        // Running myname executes the body of the alias as a command line of its own.
        QCOMPARE(Commands("name " + asOwn), QByteArrayList{"name " + asOwn});
    }
};

VANTREL_TEST(TestScriptContent)

#include "TestScriptContent.moc"
