#include "GameLaunch.h"
#include "ShellWords.h"
#include "TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestGameLaunch : public QObject {
    Q_OBJECT

private slots:
    void ShellWordsSplit_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("runs of blanks, double quotes")
            << " +name   \"Big Ogre\"\t -x " << QStringList{"+name", "Big Ogre", "-x"};
        QTest::newRow("single quotes") << "'a \"b\" \\c'" << QStringList{"a \"b\" \\c"};
        QTest::newRow("escapes in double quotes")
            << "\"a\\\"b\\\\c\\d\"" << QStringList{"a\"b\\c\\d"};
        QTest::newRow("backslash outside quotes") << "a\\ b c\\\\" << QStringList{"a b", "c\\"};
        QTest::newRow("quotes inside a word, empty quoted word")
            << "-basedir=/home/\"my games\"/q \"\"" << QStringList{"-basedir=/home/my games/q", ""};
    }
    void ShellWordsSplit() {
        QFETCH(QString, text);
        QFETCH(QStringList, words);
        QCOMPARE(ShellWords(text), words);
    }

    // On Windows the game splits its own command line: backslashes and quotes reach it as typed.
    void WindowsCommandLine() {
        QCOMPARE(WindowsGameCommandLine("", 26000, "q.example.net"),
                 " +port 26000 +connect q.example.net +exec vantrel.scr");
        QCOMPARE(WindowsGameCommandLine("-basedir \"C:\\my games\" -game ..\\mod", 1, "q"),
                 "-basedir \"C:\\my games\" -game ..\\mod +port 1 +connect q +exec vantrel.scr");
    }

    void FindsTheExecutable() {
        QTemporaryDir dir;
        const QString game = dir.filePath("game");
        const QString bin = dir.filePath("bin");
        QVERIFY(QDir().mkpath(game) && QDir().mkpath(bin + "/sub"));
        for (const QString& program :
             {game + "/glquake", bin + "/quakespasm-test", bin + "/sub/quakespasm-test"}) {
            QFile file(program);
            QVERIFY(file.open(QIODevice::WriteOnly) &&
                    file.setPermissions(file.permissions() | QFile::ExeOwner));
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.toLocal8Bit() + ':' + path);

        QCOMPARE(FindGameExecutable(game + "/", "glquake"), game + "/glquake");
        // A name with a folder in it is looked for in the game folder only.
        QCOMPARE(FindGameExecutable(game, "sub/quakespasm-test"), QString());
        QCOMPARE(FindGameExecutable(game, ""), QString());
        // Where the game lives in its folder, the PATH is not searched.
        QCOMPARE(FindGameExecutable(game, "glquake", ExecutableSearch::GameFolder),
                 game + "/glquake");
        QCOMPARE(FindGameExecutable(game, "quakespasm-test", ExecutableSearch::GameFolder),
                 QString());
        qputenv("PATH", path);
    }
};

VANTREL_TEST(TestGameLaunch)

#include "TestGameLaunch.moc"
