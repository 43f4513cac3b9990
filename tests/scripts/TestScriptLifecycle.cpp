#include "GameFolder.h"
#include "TestRegistry.h"

#include <QRegularExpression>
#include <QTest>

class TestScriptLifecycle : public QObject {
    Q_OBJECT

private slots:
    // Off, the main script holds only the user's name and the name scripts are left alone.
    void NameTrickeryOff_data() {
        QTest::addColumn<int>("nametrickery");
        QTest::addColumn<QString>("quakename");
        QTest::newRow("off") << 0 << "Vantrel v.70";
        QTest::newRow("off, empty name") << 0 << "";
        QTest::newRow("2 is not on") << 2 << "Vantrel v.70";
    }
    void NameTrickeryOff() {
        QFETCH(int, nametrickery);
        QFETCH(QString, quakename);
        GameFolder game;
        game.Put("vantrel.scr", "old\n");
        game.Put(NameScript(0), "keep\n");
        game.settings.nametrickery = nametrickery;
        game.settings.quakename = quakename;
        ScriptWriter writer(game.settings);
        QCOMPARE(writer.OpenScriptFiles(), ScriptWriter::OpenResult::Opened);
        QCOMPARE(game.Read("vantrel.scr"), QByteArray());
        RunQuery(writer, {"a"});
        QCOMPARE(game.Read("vantrel.scr"), MyNameLine(quakename.toLatin1()));
        QCOMPARE(game.Read(NameScript(0)), QByteArray("keep\n"));
        QVERIFY(!game.Has(NameScript(1)));
    }

    // A restart empties the name scripts and re-creates a main script deleted from outside.
    void RestartAfterAQuery() {
        GameFolder game;
        ScriptWriter writer(game.settings);
        writer.OpenScriptFiles();
        RunQuery(writer, {"x", "y", "z"});
        QVERIFY(QFile::remove(game.Script("vantrel.scr")));
        writer.RestartScripts();
        QCOMPARE(game.Read("vantrel.scr"), Header("Vantrel v.70"));
        for (int i = 0; i < 16; ++i)
            QCOMPARE(game.Read(NameScript(i)), QByteArray());
    }

    // Settings are read at every step: the next query writes to the new folder, the old one keeps
    // what it had.
    void GameFolderChanged() {
        GameFolder first;
        GameFolder second(QStringLiteral("id1"));
        ScriptWriter writer(first.settings);
        writer.OpenScriptFiles();
        RunQuery(writer, {"a"});
        const QByteArray firstMain = first.Read("vantrel.scr");

        first.settings.quakepath = second.settings.quakepath;
        writer.RestartScripts();
        writer.WriteNameScript(1, "b");
        QCOMPARE(second.Read("vantrel.scr"), Header("Vantrel v.70"));
        QCOMPARE(second.Read(NameScript(1)), QByteArray("name \"b\"\n"));
        QCOMPARE(first.Read("vantrel.scr"), firstMain);
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

    // A script path taken by a folder cannot be opened even by a privileged user.
    void BlockedScripts() {
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        GameFolder game;
        QVERIFY(QDir().mkdir(game.Script("vantrel.scr")));
        QVERIFY(QDir().mkdir(game.Script(NameScript(0))));
        ScriptWriter writer(game.settings);
        writer.OpenScriptFiles();
        RunQuery(writer, {"a", "b"});
        QCOMPARE(game.Read(NameScript(1)), QByteArray("name \"b\"\n"));
    }
};

VANTREL_TEST(TestScriptLifecycle)

#include "TestScriptLifecycle.moc"
