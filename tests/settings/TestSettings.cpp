#include "Paths.h"
#include "ServerLists.h"
#include "Settings.h"
#include "TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <climits>

namespace {

// What a store reads as, in this order: the eleven options, then the browser's four lists.
const QStringList kFields{"asciinames", "asciirules", "asciiserver", "nametrickery", "timeout",
                          "autoupdate", "updatetime", "commandline", "quakename",    "quakepath",
                          "exe",        "favourites", "recent",      "masters",      "games"};

QString Joined(const QList<HostPort>& servers) {
    QStringList texts;
    for (const HostPort& server : servers)
        texts << HostPortText(server);
    return texts.join(u' ');
}

QStringList Fields(const Settings& s, const ServerLists& lists) {
    QStringList fields;
    for (int value : {s.asciinames, s.asciirules, s.asciiserver, s.nametrickery, s.timeout,
                      s.autoupdate, s.updatetime})
        fields << QString::number(value);
    return fields << s.commandline << s.quakename << s.quakepath << s.exe
                  << Joined(lists.favourites) << Joined(lists.recent) << Joined(lists.masters)
                  << lists.games.join(u' ');
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    int fileCount = 0;

    // A fresh file each time: QSettings caches what it parsed per file name.
    QString NewFile(const QByteArray& text = {}) {
        const QString path = dir.filePath(QStringLiteral("%1.ini").arg(++fileCount));
        QFile file(path);
        if (!text.isEmpty() && file.open(QIODevice::WriteOnly))
            file.write(text);
        return path;
    }

    // Loads over values that are neither defaults nor stored, so that a value left unread shows.
    static QStringList Read(const QString& path) {
        QSettings store(path, QSettings::IniFormat);
        Settings s;
        s.asciinames = s.asciirules = s.asciiserver = s.nametrickery = -7;
        s.timeout = s.autoupdate = s.updatetime = -7;
        s.commandline = s.quakename = s.quakepath = s.exe = QStringLiteral("junk");
        s.LoadSettings(store);
        ServerLists lists;
        lists.Load(store);
        return Fields(s, lists);
    }

private slots:
    void FreshStoreGivesTheDefaults() {
#ifdef Q_OS_WIN
        const QStringList game{"C:\\Quake", "Winquake.exe"};
#else
        const QStringList game{QDir::homePath() + "/quake", "quakespasm"};
#endif
        const QString masters =
            "master.frag-net.com:27950 dpmaster.deathmask.net:27950 dpmaster.tchr.no:27950";
        QCOMPARE(Read(NewFile()),
                 QStringList({"1", "1", "1", "0", "20", "0", "60", "-zone 512", "Vantrel v.70"}) +
                     game + QStringList({"", "", masters, "FTE-Quake"}));
    }

    // The options go beside the first-start marker, which saving leaves alone, and the lists in a
    // group of their own; a list the user emptied stays empty rather than turning back into the
    // defaults.
    void RoundTripThroughTheFile() {
        const Settings saved{.asciinames = 0,
                             .asciirules = 2,
                             .asciiserver = -1,
                             .nametrickery = 1,
                             .quakepath = "C:\\Games\\Quake\\",
                             .quakename = QString::fromUtf8(" Pl\xc3\xa4yer@1 "),
                             .timeout = INT_MAX,
                             .commandline = "-zone 512, -heapsize 16384 ; #x = \"q\"",
                             .exe = "glquake.exe",
                             .autoupdate = INT_MIN,
                             .updatetime = 6000};
        const ServerLists lists{.favourites = {{"quake.example.net", 26001}, {"2001:db8::1", 1}},
                                .recent = {{"10.0.0.1", 65535}},
                                .masters = {},
                                .games = {"FTE-Quake", "DarkPlaces-Quake"}};
        const QString path = NewFile();
        {
            QSettings store(path, QSettings::IniFormat);
            QCOMPARE(ReadFirstRun(store), 1);
            WriteFirstRun(store, 0);
            saved.SaveSettings(store);
            lists.Save(store);
            QCOMPARE(store.group(), QString());
            store.beginGroup("settings");
            QCOMPARE(store.childKeys().size(), 12);
            // Numbers go in as numbers, so that the registry holds them as DWORDs.
            for (int i = 0; i < 11; ++i)
                QCOMPARE(store.value(kFields[i]).typeId(),
                         i < 7 ? QMetaType::Int : QMetaType::QString);
        }
        // Read a copy so that the text is parsed again rather than taken from the cache.
        const QString copy = NewFile();
        QVERIFY(QFile::copy(path, copy));
        QCOMPARE(Read(copy), Fields(saved, lists));
        QSettings reread(copy, QSettings::IniFormat);
        QCOMPARE(ReadFirstRun(reread), 0);
    }

    // What a hand-edited file may hold. A number that is not a whole 32-bit number reads as the
    // default, an empty text stays empty; a server with no host or a port outside 1..65535 is
    // left out, and a later layout of the lists is not read at all.
    void HandEditedFile_data() {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        const auto option = [](const char* tag, const char* line, const char* expected) {
            const QByteArray text(line);
            QTest::newRow(tag) << "[settings]\n" + text
                               << QString::fromLatin1(text.left(text.indexOf('=')))
                               << QString::fromLatin1(expected);
        };
        option("trailing letters", "asciirules=12abc", "1");
        option("hex", "nametrickery=0x14", "0");
        option("too big", "autoupdate=2147483648", "0");
        option("bytes", "updatetime=@ByteArray(20)", "60");
        option("empty text", "quakename=", "");
        option("comma in text", "exe=Bob, the Great", "Bob, the Great");
        const auto second = [](const char* tag, const char* host, const char* port,
                               const char* expected) {
            QTest::newRow(tag) << "[browser]\nfavourites\\size=2\nfavourites\\1\\host=a\n"
                                  "favourites\\1\\port=1\nfavourites\\2\\host=" +
                                      QByteArray(host) + "\nfavourites\\2\\port=" + port
                               << "favourites" << QString::fromLatin1(expected);
        };
        second("port 0", "b", "0", "a:1");
        second("port too big", "b", "65536", "a:1");
        second("port not a number", "b", "x", "a:1");
        second("no host", " ", "26000", "a:1");
        second("highest port", "b", "65535", "a:1 b:65535");
        QTest::newRow("later layout") << QByteArray("[browser]\nversion=2\nfavourites\\size=1\n"
                                                    "favourites\\1\\host=a\nfavourites\\1\\port=1")
                                      << "favourites"
                                      << "";
        QTest::newRow("masters emptied") << QByteArray("[browser]\nmasters\\size=0\n") << "masters"
                                         << "";
    }
    void HandEditedFile() {
        QFETCH(QByteArray, lines);
        QFETCH(QString, field);
        QTEST(Read(NewFile(lines + '\n')).at(kFields.indexOf(field)), "expected");
    }

    // The newest first, each server once whatever its host's letter case, the newest 20 kept.
    void AddRecentKeepsTheNewestOnce() {
        QList<HostPort> recent;
        for (int i = 1; i <= RecentServersKept; ++i)
            recent << HostPort{QStringLiteral("h%1").arg(i), 1};
        AddRecent(recent, {"H2", 1});
        AddRecent(recent, {"h2", 2});
        QCOMPARE(recent.size(), RecentServersKept);
        QCOMPARE(Joined(recent.mid(0, 3)), QStringLiteral("h2:2 H2:1 h1:1"));
        QCOMPARE(HostPortText(recent.last()), QStringLiteral("h19:1"));
    }

    // Each row makes its folders (ending in '/') and files in an empty game folder.
    void DataFolderSpelling_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("caseMatters");
        QTest::newRow("ID1") << QStringList{"ID1/"} << "ID1" << false;
        QTest::newRow("nothing") << QStringList{} << "ID1" << false;
        QTest::newRow("near names, file id1")
            << QStringList{"id10/", "xid1/", "id/", "id1"} << "ID1" << false;
        QTest::newRow("id1") << QStringList{"id1/"} << "id1" << true;
        QTest::newRow("ID1 before id1") << QStringList{"id1/", "ID1/"} << "ID1" << true;
        QTest::newRow("Id1 sorts first") << QStringList{"id1/", "iD1/", "Id1/"} << "Id1" << true;
        QTest::newRow("file ID1, folder id1") << QStringList{"id1/", "ID1"} << "id1" << true;
    }
    void DataFolderSpelling() {
        QFETCH(QStringList, entries);
        QFETCH(QString, expected);
        QFETCH(bool, caseMatters);
        QTemporaryDir game;
        if (caseMatters && QFileInfo::exists(game.path().toUpper()))
            QSKIP("the file system ignores letter case");
        for (const QString& entry : entries)
            QVERIFY(entry.endsWith(u'/') ? QDir(game.path()).mkdir(entry)
                                         : QFile(game.filePath(entry)).open(QIODevice::WriteOnly));
        const QString quakepath = QDir::toNativeSeparators(game.path());
        const QString data = quakepath + QDir::separator() + expected;
        QCOMPARE(DataFolder(quakepath), data);
        QCOMPARE(DataFolder(quakepath + "/" + QDir::separator()), data);
        // An empty game folder must not stand for the working folder.
        QVERIFY(!FolderExists("") && !FileExists(""));
    }
};

VANTREL_TEST(TestSettings)

#include "TestSettings.moc"
