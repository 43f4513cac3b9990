#include "GameFolder.h"
#include "scripts/PlayerNameList.h"
#include "scripts/ScriptWriter.h"

#include <QRegularExpression>
#include <QTest>

class TestScriptLifecycle : public QObject {
    Q_OBJECT

private slots:
    void OpenScriptFilesEmptiesWhatItOpens_data() {
        QTest::addColumn<int>("nametrickery");
        QTest::newRow("on") << 1;
        QTest::newRow("off") << 0;
        QTest::newRow("2 is not on") << 2;
    }
    void OpenScriptFilesEmptiesWhatItOpens() {
        QFETCH(int, nametrickery);
        GameFolder game;
        game.Put("vantrel.scr", "old\n");
        for (int i = 0; i < 16; ++i)
            game.Put(NameScript(i), "old\n");
        const Settings settings = ScriptSettings(game.Path(), nametrickery);
        ScriptWriter writer(settings);
        QCOMPARE(writer.OpenScriptFiles(), ScriptWriter::OpenResult::Opened);
        QCOMPARE(game.Read("vantrel.scr"), QByteArray());
        const QByteArray names = nametrickery == 1 ? QByteArray() : QByteArray("old\n");
        for (int i = 0; i < 16; ++i)
            QCOMPARE(game.Read(NameScript(i)), names);
    }

    void NameTrickeryOff_data() {
        QTest::addColumn<QString>("quakename");
        QTest::addColumn<int>("length");
        QTest::newRow("default") << "Vantrel v.70" << 40;
        QTest::newRow("empty") << "" << 28;
    }
    void NameTrickeryOff() {
        QFETCH(QString, quakename);
        QFETCH(int, length);
        GameFolder game;
        for (int i = 0; i < 16; ++i)
            game.Put(NameScript(i), "keep\n");
        const Settings settings = ScriptSettings(game.Path(), 0, quakename);
        ScriptWriter writer(settings);
        PlayerNameList names;
        names.Resize(1);
        names.Set(0, "a");
        writer.OpenScriptFiles();
        writer.RestartScripts();
        writer.WriteScrollNames(1);
        writer.WriteNameScript(0, "a");
        writer.WritePlayerList(1, names);

        QCOMPARE(game.Read("vantrel.scr"), MyNameLine(quakename.toLatin1()));
        QCOMPARE(game.Read("vantrel.scr").size(), length);
        for (int i = 0; i < 16; ++i)
            QCOMPARE(game.Read(NameScript(i)), QByteArray("keep\n"));
    }

    // Switched off between queries: the name scripts keep what the last query wrote.
    void NameTrickerySwitchedOff() {
        GameFolder game;
        Settings settings = ScriptSettings(game.Path());
        ScriptWriter writer(settings);
        writer.OpenScriptFiles();
        writer.RestartScripts();
        writer.WriteNameScript(0, "a");
        settings.nametrickery = 0;
        writer.RestartScripts();
        writer.WriteNameScript(0, "b");
        QCOMPARE(game.Read("vantrel.scr"), MyNameLine("Vantrel v.70"));
        QCOMPARE(game.Read(NameScript(0)), QByteArray("name \"a\"\n"));
    }

    // Switched on after start-up: the next query start opens the name scripts.
    void NameTrickerySwitchedOn() {
        GameFolder game;
        Settings settings = ScriptSettings(game.Path(), 0);
        ScriptWriter writer(settings);
        writer.OpenScriptFiles();
        settings.nametrickery = 1;
        writer.RestartScripts();
        writer.WriteNameScript(3, "c");
        QCOMPARE(game.Read(NameScript(3)), QByteArray("name \"c\"\n"));
        QCOMPARE(game.Read("vantrel.scr"), Header("Vantrel v.70"));
    }

    void RestartEmptiesNameScripts() {
        GameFolder game;
        const Settings settings = ScriptSettings(game.Path());
        ScriptWriter writer(settings);
        writer.OpenScriptFiles();
        writer.RestartScripts();
        writer.WriteScrollNames(3);
        for (int i = 0; i < 3; ++i)
            writer.WriteNameScript(i, "x");
        writer.RestartScripts();
        QCOMPARE(game.Read("vantrel.scr"), Header("Vantrel v.70"));
        for (int i = 0; i < 16; ++i)
            QCOMPARE(game.Read(NameScript(i)), QByteArray());
    }

    void MissingMainScriptRecreated() {
        GameFolder game;
        const Settings settings = ScriptSettings(game.Path());
        ScriptWriter writer(settings);
        writer.OpenScriptFiles();
        writer.RestartScripts();
        writer.WriteScrollNames(0);
        QVERIFY(QFile::remove(game.Script("vantrel.scr")));
        writer.RestartScripts();
        QCOMPARE(game.Read("vantrel.scr"), Header("Vantrel v.70"));
    }

    void GameFolderChanged() {
        GameFolder first;
        GameFolder second(QStringLiteral("id1"));
        Settings settings = ScriptSettings(first.Path());
        ScriptWriter writer(settings);
        writer.OpenScriptFiles();
        writer.RestartScripts();
        writer.WriteScrollNames(1);
        writer.WriteNameScript(0, "a");
        const QByteArray firstMain = first.Read("vantrel.scr");

        settings.quakepath = second.Path();
        writer.RestartScripts();
        writer.WriteNameScript(1, "b");
        QCOMPARE(second.Read("vantrel.scr"), Header("Vantrel v.70"));
        QCOMPARE(second.Read(NameScript(0)), QByteArray());
        QCOMPARE(second.Read(NameScript(1)), QByteArray("name \"b\"\n"));
        QCOMPARE(first.Read("vantrel.scr"), firstMain);
        QCOMPARE(first.Read(NameScript(0)), QByteArray("name \"a\"\n"));
        QCOMPARE(first.Read(NameScript(1)), QByteArray());
    }

    // Opens that fail leave the scripts closed; every later write is skipped quietly.
    void FailedOpens_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("result");
        QTest::newRow("no game folder")
            << "missing" << int(ScriptWriter::OpenResult::GameFolderMissing);
        QTest::newRow("no data folder") << "" << int(ScriptWriter::OpenResult::Opened);
    }
    void FailedOpens() {
        QFETCH(QString, where);
        QFETCH(int, result);
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        QTemporaryDir dir;
        const QString quakepath = where.isEmpty() ? dir.path() : dir.filePath(where);
        const Settings settings = ScriptSettings(quakepath);
        ScriptWriter writer(settings);
        PlayerNameList names;
        names.Resize(2);
        QCOMPARE(int(writer.OpenScriptFiles()), result);
        writer.RestartScripts();
        writer.WriteScrollNames(2);
        writer.WriteNameScript(0, "a");
        writer.WritePlayerList(2, names);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    // A script path taken by a folder cannot be opened even by a privileged user.
    void BlockedScripts() {
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        GameFolder game;
        QVERIFY(QDir().mkdir(game.Script("vantrel.scr")));
        QVERIFY(QDir().mkdir(game.Script(NameScript(0))));
        const Settings settings = ScriptSettings(game.Path());
        ScriptWriter writer(settings);
        PlayerNameList names;
        names.Resize(2);
        writer.OpenScriptFiles();
        writer.RestartScripts();
        writer.WriteScrollNames(2);
        writer.WriteNameScript(0, "a");
        writer.WriteNameScript(1, "b");
        writer.WritePlayerList(2, names);
        QCOMPARE(game.Read(NameScript(1)), QByteArray("name \"b\"\n"));
    }
};

int RunScriptLifecycleTests(int argc, char** argv) {
    TestScriptLifecycle test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestScriptLifecycle.moc"
