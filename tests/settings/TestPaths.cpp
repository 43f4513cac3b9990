#include "settings/Paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool MakeFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

} // namespace

class TestPaths : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString sep = QDir::separator();

    // Relative names are taken inside the temporary folder, with '/' standing for the separator.
    QString InDir(const QString& relative) const {
        return QDir::toNativeSeparators(dir.path() + u'/' + relative);
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkpath("quake/ID1"));
        QVERIFY(MakeFile(dir.filePath("quake/Winquake.exe")));
        QVERIFY(MakeFile(dir.filePath("plain")));
    }

    void JoinInsertsOneSeparator_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("bare") << "quake"
                              << "quake" + sep + "ID1";
        QTest::newRow("trailing slash") << "quake/"
                                        << "quake" + sep + "ID1";
        QTest::newRow("two trailing") << "quake//"
                                      << "quake" + sep + "ID1";
        QTest::newRow("root") << "/" << sep + "ID1";
        QTest::newRow("empty") << "" << sep + "ID1";
#ifdef Q_OS_WIN
        QTest::newRow("trailing backslash") << "C:\\Quake\\"
                                            << "C:\\Quake\\ID1";
        QTest::newRow("drive root") << "C:\\"
                                    << "C:\\ID1";
#else
        QTest::newRow("backslash is a name character") << "quake\\"
                                                       << "quake\\/ID1";
#endif
    }
    void JoinInsertsOneSeparator() {
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        QCOMPARE(JoinPath(folder, "ID1"), expected);
    }

    void PathTests_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<bool>("file");
        QTest::newRow("folder") << "quake" << true << false;
        QTest::newRow("folder with separator") << "quake/" << true << false;
        QTest::newRow("nested folder") << "quake/ID1" << true << false;
        QTest::newRow("file") << "quake/Winquake.exe" << false << true;
        QTest::newRow("file with separator") << "plain/" << false << false;
        QTest::newRow("missing") << "nothing" << false << false;
        QTest::newRow("missing parent") << "nothing/ID1" << false << false;
    }
    void PathTests() {
        QFETCH(QString, relative);
        QFETCH(bool, folder);
        QFETCH(bool, file);
        QCOMPARE(FolderExists(InDir(relative)), folder);
        QCOMPARE(FileExists(InDir(relative)), file);
    }

    void EmptyPathNamesNothing() {
        QVERIFY(!FolderExists(QString()));
        QVERIFY(!FolderExists(""));
        QVERIFY(!FileExists(""));
    }

    void DataFolderLookup_data() {
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
        QTest::newRow("Id1") << QStringList{"Id1"} << none << "Id1" << true;
        QTest::newRow("ID1 before id1") << QStringList{"id1", "ID1"} << none << "ID1" << true;
        QTest::newRow("sorted") << QStringList{"id1", "iD1", "Id1"} << none << "Id1" << true;
        QTest::newRow("file ID1, folder id1")
            << QStringList{"id1"} << QStringList{"ID1"} << "id1" << true;
        QTest::newRow("file Id1, folder id1")
            << QStringList{"id1"} << QStringList{"Id1"} << "id1" << true;
    }
    void DataFolderLookup() {
        QFETCH(QStringList, folders);
        QFETCH(QStringList, files);
        QFETCH(QString, expected);
        QFETCH(bool, caseMatters);
        QTemporaryDir game;
        QVERIFY(game.isValid());
        if (caseMatters && QFileInfo::exists(game.path().toUpper())) {
            QSKIP("the file system ignores letter case");
        }
        for (const QString& folder : folders) {
            QVERIFY(QDir(game.path()).mkdir(folder));
        }
        for (const QString& file : files) {
            QVERIFY(MakeFile(game.filePath(file)));
        }
        const QString quakepath = QDir::toNativeSeparators(game.path());
        QCOMPARE(DataFolder(quakepath), quakepath + sep + expected);
        QCOMPARE(DataFolder(quakepath + sep), quakepath + sep + expected);
    }

    void DataFolderOfNoFolder() {
        QCOMPARE(DataFolder(InDir("nothing")), InDir("nothing") + sep + "ID1");
        QCOMPARE(DataFolder(""), sep + "ID1");
    }
};

int RunPathTests(int argc, char** argv) {
    TestPaths test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestPaths.moc"
