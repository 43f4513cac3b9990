#include "GameFolder.h"
#include "scripts/PlayerNameList.h"
#include "scripts/ScriptWriter.h"

#include <QTest>

namespace {

// Splits script text into commands the way the game's command buffer does: a line feed always
// ends a command, a semicolon only outside double quotes. Empty commands are dropped.
QList<QByteArray> Commands(const QByteArray& text) {
    QList<QByteArray> commands;
    QByteArray command;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted;
        if (c == '\n' || (c == ';' && !quoted)) {
            if (!command.isEmpty())
                commands << command;
            command.clear();
            quoted = false;
            continue;
        }
        command += c;
    }
    if (!command.isEmpty())
        commands << command;
    return commands;
}

// The body of an alias command: what lies between its first and its last double quote.
QByteArray AliasBody(const QByteArray& command) {
    const qsizetype open = command.indexOf('"');
    const qsizetype close = command.lastIndexOf('"');
    return open >= 0 && close > open ? command.mid(open + 1, close - open - 1) : QByteArray();
}

} // namespace

class TestHostileNames : public QObject {
    Q_OBJECT

private slots:
    void PlayerName_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("bind") << QByteArray("x\";bind mouse1 quit;\"")
                              << QByteArray("x';bind mouse1 quit;'");
        QTest::newRow("line feed") << QByteArray("a\nquit") << QByteArray("a quit");
        QTest::newRow("carriage return") << QByteArray("a\rquit\r") << QByteArray("a quit ");
        QTest::newRow("semicolon") << QByteArray("a;quit") << QByteArray("a;quit");
        QTest::newRow("quote") << QByteArray("\"") << QByteArray("'");
        QTest::newRow("quote, line feed") << QByteArray("\"\n\";quit") << QByteArray("' ';quit");
    }
    void PlayerName() {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, written);
        GameFolder game;
        const Settings settings = ScriptSettings(game.Path());
        ScriptWriter writer(settings);
        PlayerNameList names;
        writer.OpenScriptFiles();
        writer.RestartScripts();
        writer.WriteScrollNames(1);
        names.Resize(1);
        names.Set(0, name.toStdString());
        writer.WriteNameScript(0, name.toStdString());
        writer.WritePlayerList(1, names);

        QCOMPARE(Commands(game.Read(NameScript(0))), QList<QByteArray>{"name \"" + written + "\""});
        const QList<QByteArray> expected =
            Commands(Header("Vantrel v.70")) + QList<QByteArray>{
                                                   "alias scrollnames \"nm0;wait3;myname\"",
                                                   "echo \"\x8D nm0 \x8F " + written + "\"",
                                               };
        QCOMPARE(Commands(game.Read("vantrel.scr")), expected);
    }

    void OwnName_data() {
        QTest::addColumn<QString>("quakename");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("quit") << "me\";quit;\"" << QByteArray("me':quit:'");
        QTest::newRow("semicolon") << "a;b" << QByteArray("a:b");
        QTest::newRow("line feed") << "a\nquit" << QByteArray("a quit");
        QTest::newRow("carriage return") << "a\rb" << QByteArray("a b");
        QTest::newRow("quote") << "a\"b" << QByteArray("a'b");
        // A zero byte would end the whole file for the game.
        QTest::newRow("zero") << QString::fromLatin1("a\0quit", 6) << QByteArray("a quit");
    }
    void OwnName() {
        QFETCH(QString, quakename);
        QFETCH(QByteArray, written);
        GameFolder game;
        const Settings settings = ScriptSettings(game.Path(), 0, quakename);
        ScriptWriter writer(settings);
        writer.RestartScripts();

        const QList<QByteArray> commands = Commands(game.Read("vantrel.scr"));
        QCOMPARE(commands, (QList<QByteArray>{"alias myname \"name " + written + "\"", "myname"}));
        // Running myname executes the body as a command line of its own.
        QCOMPARE(Commands(AliasBody(commands.first())), QList<QByteArray>{"name " + written});
    }
};

int RunHostileNameTests(int argc, char** argv) {
    TestHostileNames test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestHostileNames.moc"
