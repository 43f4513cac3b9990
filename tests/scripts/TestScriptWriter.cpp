#include "ExpectedScripts.h"
#include "PlayerNameList.h"
#include "ScriptWriter.h"
#include "Settings.h"
#include "TestRegistry.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A game folder in a temporary folder, with its data folder spelled as given, and the settings
// the writer reads at every step; tests change them in between.
struct GameFolder {
    explicit GameFolder(const QString& dataFolderName = QStringLiteral("ID1"))
        : data(dir.filePath(dataFolderName)) {
        QDir().mkpath(data);
        settings.quakepath = dir.path();
        settings.nametrickery = 1;
        settings.quakename = QStringLiteral("Vantrel v.70");
    }
    // Read while the writer still holds the file open: each line must already be in it.
    QByteArray Read(const QString& name) const {
        QFile file(data + u'/' + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

    QTemporaryDir dir;
    QString data;
    Settings settings;
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
    // Names from the server, and the user's own name, which the game runs once more as the body of
    // the myname alias, so a semicolon must not end its command there either; a zero byte would
    // end the whole file for the game. Players past the sixteen name scripts get their line in
    // the player list, but no name script and no place in the scroll line.
    void HostileNamesAndSeventeenPlayers() {
        GameFolder game;
        game.settings.quakename = QString::fromLatin1(QByteArray("\"a;b\r\n\0c", 8));
        ScriptWriter writer(game.settings);
        writer.OpenScriptFiles();
        QByteArrayList names{"x\";bind mouse1 quit;\"", "a\rquit\r", "\"\n\";quit",
                             QByteArray("a\0quit", 6)};
        QByteArrayList written{"x';bind mouse1 quit;'", "a quit ", "' ';quit", "a quit"};
        for (int i = 4; i < 17; ++i)
            names << "p" + QByteArray::number(i), written << names.last();
        RunQuery(writer, names);
        for (int i = 0; i < 17; ++i)
            QCOMPARE(game.Read(NameScript(i)), i < 16 ? NameLine(written[i]) : "(missing)");
        QCOMPARE(game.Read("vantrel.scr"), MainScript("'a:b   c", written));
    }

    // Only 1 is on. Off, the main script holds only the user's name and no name script is
    // written.
    void NameTrickeryOff() {
        GameFolder game;
        game.settings.nametrickery = 2;
        ScriptWriter writer(game.settings);
        QCOMPARE(writer.OpenScriptFiles(), ScriptWriter::OpenResult::Opened);
        RunQuery(writer, {"a"});
        QCOMPARE(game.Read("vantrel.scr"),
                 QByteArray("alias myname \"name Vantrel v.70\";myname\n"));
        QCOMPARE(game.Read(NameScript(0)), QByteArray("(missing)"));
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
        QVERIFY(QFile::remove(first.data + "/vantrel.scr"));
        writer.RestartScripts();
        QCOMPARE(first.Read("vantrel.scr"), ScriptHeader("Vantrel v.70"));
        for (int i = 0; i < 16; ++i)
            QCOMPARE(first.Read(NameScript(i)), QByteArray());

        writer.WriteNameScript(0, "a");
        first.settings.quakepath = second.settings.quakepath;
        writer.RestartScripts();
        writer.WriteNameScript(1, "b");
        QCOMPARE(second.Read("vantrel.scr"), ScriptHeader("Vantrel v.70"));
        QCOMPARE(second.Read(NameScript(1)), NameLine("b"));
        QCOMPARE(first.Read("vantrel.scr"), ScriptHeader("Vantrel v.70"));
        QCOMPARE(first.Read(NameScript(0)), NameLine("a"));
    }

    // Opens that fail leave the scripts closed; every later write is skipped quietly. An empty
    // game folder names no folder at all.
    void FailedOpens() {
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        QTemporaryDir dir;
        Settings settings;
        settings.nametrickery = 1;
        ScriptWriter writer(settings);
        for (const QString& where : {QString(), dir.filePath("missing"), dir.filePath(".")}) {
            settings.quakepath = where;
            QCOMPARE(writer.OpenScriptFiles(), where.endsWith("missing")
                                                   ? ScriptWriter::OpenResult::GameFolderMissing
                                                   : ScriptWriter::OpenResult::Opened);
            RunQuery(writer, {"a", "b"});
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }
};

VANTREL_TEST(TestScriptWriter)

#include "TestScriptWriter.moc"
