#include "Paths.h"
#include "TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPaths : public QObject {
    Q_OBJECT

    const QString sep = QDir::separator();

private slots:
    void JoinPathStripsSeparators() {
        QCOMPARE(JoinPath("quake", "ID1"), "quake" + sep + "ID1");
        QCOMPARE(JoinPath("quake//", "ID1"), "quake" + sep + "ID1");
        QCOMPARE(JoinPath("/", "ID1"), sep + "ID1");
        QCOMPARE(JoinPath("", "ID1"), sep + "ID1");
#ifdef Q_OS_WIN
        QCOMPARE(JoinPath("C:\\", "ID1"), QStringLiteral("C:\\ID1"));
#else
        // A backslash is an ordinary name character here.
        QCOMPARE(JoinPath("quake\\", "ID1"), QStringLiteral("quake\\/ID1"));
#endif
    }

    // Each row makes its folders and files in an empty game folder.
    void DataFolderAndWhatExists_data() {
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("caseMatters");
        const QStringList none;
        QTest::newRow("ID1") << QStringList{"ID1"} << none << "ID1" << false;
        QTest::newRow("nothing") << none << none << "ID1" << false;
        QTest::newRow("near names") << QStringList{"id10", "xid1", "id"} << none << "ID1" << false;
        QTest::newRow("file id1") << none << QStringList{"id1"} << "ID1" << false;
        QTest::newRow("id1") << QStringList{"id1"} << none << "id1" << true;
        QTest::newRow("ID1 before id1") << QStringList{"id1", "ID1"} << none << "ID1" << true;
        QTest::newRow("Id1 sorts first")
            << QStringList{"id1", "iD1", "Id1"} << none << "Id1" << true;
        QTest::newRow("file ID1, folder id1")
            << QStringList{"id1"} << QStringList{"ID1"} << "id1" << true;
    }
    void DataFolderAndWhatExists() {
        QFETCH(QStringList, folders);
        QFETCH(QStringList, files);
        QFETCH(QString, expected);
        QFETCH(bool, caseMatters);
        QTemporaryDir game;
        QVERIFY(game.isValid());
        if (caseMatters && QFileInfo::exists(game.path().toUpper()))
            QSKIP("the file system ignores letter case");
        for (const QString& folder : folders)
            QVERIFY(QDir(game.path()).mkdir(folder));
        for (const QString& file : files)
            QVERIFY(QFile(game.filePath(file)).open(QIODevice::WriteOnly));
        const QString quakepath = QDir::toNativeSeparators(game.path());
        QCOMPARE(DataFolder(quakepath), quakepath + sep + expected);
        QCOMPARE(DataFolder(quakepath + sep), quakepath + sep + expected);
        for (const QString& name : folders + files + QStringList{"missing"}) {
            QCOMPARE(FolderExists(quakepath + sep + name), folders.contains(name));
            QCOMPARE(FolderExists(quakepath + sep + name + sep), folders.contains(name));
            QCOMPARE(FileExists(quakepath + sep + name), files.contains(name));
        }
        // An empty game folder must not stand for the working folder.
        QVERIFY(!FolderExists("") && !FileExists(""));
    }
};

VANTREL_TEST(TestPaths)

#include "TestPaths.moc"
