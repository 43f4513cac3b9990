#include "ExpectedScripts.h"
#include "PlayerNameList.h"
#include "ScriptWriter.h"
#include "Settings.h"
#include "TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A game folder in a temporary folder, with its data folder spelled as given.
class GameFolder {
public:
    explicit GameFolder(const QString& dataFolderName = QStringLiteral("ID1"))
        : data(dir.filePath(dataFolderName)) {
        QDir(dir.path()).mkdir(dataFolderName);
        settings.quakepath = dir.path();
        settings.nametrickery = 1;
        settings.quakename = QStringLiteral("Vantrel v.70");
    }

    // What the writer reads at every step; tests change it in between.
    Settings settings;

    QString Script(const QString& name) const { return data + u'/' + name; }
    bool Has(const QString& name) const { return QFile::exists(Script(name)); }
    // Read while the writer still holds the file open: each line must already be in it.
    QByteArray Read(const QString& name) const {
        QFile file(Script(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void Put(const QString& name, const QByteArray& bytes) const {
        QFile file(Script(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

private:
    QTemporaryDir dir;
    QString data;
};

// One query as the reply handlers drive it: start, server info, every player once.
void RunQuery(ScriptWriter& writer, const QByteArrayList& players) {
    const int count = int(players.size());
    PlayerNameList names;
    names.Resize(count);
    writer.RestartScripts();
    writer.WriteScrollNames(count);
    for (int i = 0; i < count; ++i) {
        names.Set(i, players[i].toStdString());
        writer.WriteNameScript(i, players[i].toStdString());
    }
    writer.WritePlayerList(count, names);
}

} // namespace

class TestScriptWriter : public QObject {
    Q_OBJECT

private slots:
    // A player's name from the server and the user's own name, which the game runs once more as
    // the body of the myname alias, so a semicolon must not end its command there either.
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
        QCOMPARE(game.Read(NameScript(0)), "name \"" + asPlayer + "\"\n");
        QCOMPARE(game.Read("vantrel.scr"), ScriptHeader(asOwn) +
                                               "alias scrollnames \"nm0;wait3;myname\"\n" +
                                               EchoLine(0, asPlayer));
    }

    // Players past the sixteen name scripts get their line in the player list, but no name
    // script and no place in the scroll line.
    void SeventeenPlayers() {
        GameFolder game;
        ScriptWriter writer(game.settings);
        QByteArrayList names;
        QByteArray main = ScriptHeader("Vantrel v.70") + "alias scrollnames \"";
        for (int i = 0; i < 17; ++i) {
            names << "p" + QByteArray::number(i);
            main += i < 16 ? "nm" + QByteArray::number(i) + ";wait3;" : "myname\"\n";
        }
        for (int i = 0; i < 17; ++i)
            main += EchoLine(i, names[i]);
        RunQuery(writer, names);
        QCOMPARE(game.Read("vantrel.scr"), main);
        QCOMPARE(game.Read(NameScript(15)), QByteArray("name \"p15\"\n"));
        QVERIFY(!game.Has(NameScript(16)));
    }

    // Only 1 is on. Off, the main script holds only the user's name and the name scripts are
    // left alone.
    void NameTrickeryOff() {
        GameFolder game;
        game.Put("vantrel.scr", "old\n");
        game.Put(NameScript(0), "keep\n");
        game.settings.nametrickery = 2;
        ScriptWriter writer(game.settings);
        QCOMPARE(writer.OpenScriptFiles(), ScriptWriter::OpenResult::Opened);
        QCOMPARE(game.Read("vantrel.scr"), QByteArray());
        RunQuery(writer, {"a"});
        QCOMPARE(game.Read("vantrel.scr"),
                 QByteArray("alias myname \"name Vantrel v.70\";myname\n"));
        QCOMPARE(game.Read(NameScript(0)), QByteArray("keep\n"));
        QVERIFY(!game.Has(NameScript(1)));
    }

    // A restart empties the name scripts and re-creates a main script deleted from outside. The
    // settings are read at every step: after the game folder changed, the next query writes to
    // the new one, whose data folder is spelled "id1", and the old one keeps what it had.
    void Rewriting() {
        GameFolder first;
        GameFolder second(QStringLiteral("id1"));
        ScriptWriter writer(first.settings);
        writer.OpenScriptFiles();
        RunQuery(writer, {"x", "y", "z"});
        QVERIFY(QFile::remove(first.Script("vantrel.scr")));
        writer.RestartScripts();
        QCOMPARE(first.Read("vantrel.scr"), ScriptHeader("Vantrel v.70"));
        for (int i = 0; i < 16; ++i)
            QCOMPARE(first.Read(NameScript(i)), QByteArray());

        writer.WriteNameScript(0, "a");
        first.settings.quakepath = second.settings.quakepath;
        writer.RestartScripts();
        writer.WriteNameScript(1, "b");
        QCOMPARE(second.Read("vantrel.scr"), ScriptHeader("Vantrel v.70"));
        QCOMPARE(second.Read(NameScript(1)), QByteArray("name \"b\"\n"));
        QCOMPARE(first.Read("vantrel.scr"), ScriptHeader("Vantrel v.70"));
        QCOMPARE(first.Read(NameScript(0)), QByteArray("name \"a\"\n"));
    }

    // Opens that fail leave the scripts closed; every later write is skipped quietly. An empty
    // game folder names no folder at all.
    void FailedOpens_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<ScriptWriter::OpenResult>("result");
        QTest::newRow("no game folder") << "missing" << ScriptWriter::OpenResult::GameFolderMissing;
        QTest::newRow("no data folder") << "." << ScriptWriter::OpenResult::Opened;
        QTest::newRow("empty game folder") << "" << ScriptWriter::OpenResult::Opened;
    }
    void FailedOpens() {
        QFETCH(QString, where);
        QFETCH(ScriptWriter::OpenResult, result);
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        QTemporaryDir dir;
        Settings settings;
        settings.nametrickery = 1;
        settings.quakepath = where.isEmpty() ? where : dir.filePath(where);
        ScriptWriter writer(settings);
        QCOMPARE(writer.OpenScriptFiles(), result);
        RunQuery(writer, {"a", "b"});
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }
};

VANTREL_TEST(TestScriptWriter)

#include "TestScriptWriter.moc"
