#include "Paths.h"
#include "ServerLists.h"
#include "Settings.h"
#include "TestRegistry.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <climits>

namespace {

// A store as it reads: the eleven options, the browser's four lists, then the watch's interval,
// buddies and alerts.
QStringList Fields(const Settings& s, const ServerLists& lists) {
    QStringList fields;
    for (int value : {s.asciinames, s.asciirules, s.asciiserver, s.nametrickery, s.timeout,
                      s.autoupdate, s.updatetime})
        fields << QString::number(value);
    fields << s.commandline << s.quakename << s.quakepath << s.exe;
    for (const QList<HostPort>& servers : {lists.favourites, lists.recent, lists.masters}) {
        QStringList texts;
        for (const HostPort& server : servers)
            texts << HostPortText(server);
        fields << texts.join(u' ');
    }
    fields << lists.games.join(u' ') << QString::number(s.watchseconds) << lists.buddies.join(u'|');
    QStringList alerts;
    for (const FavouriteAlert& a : lists.alerts)
        alerts << HostPortText(a.server) + QString::asprintf(" %d %d", a.minPlayers, a.room);
    return fields << alerts.join(u' ');
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
        Settings s{-7, -7, -7, -7, "junk", "junk", -7, "junk", "junk", -7, -7, -7};
        s.LoadSettings(store);
        ServerLists lists;
        lists.Load(store);
        return Fields(s, lists);
    }

private slots:
    // The options go beside the first-start marker, which saving leaves alone, and the lists in a
    // group of their own; a list the user emptied stays empty rather than turning back into the
    // defaults.
    void RoundTripThroughTheFile() {
        const QString name = QString::fromUtf8(" Pl\xc3\xa4yer@1 ");
        const QString line = "-zone 512, -heapsize 16384 ; #x = \"q\"";
        const Settings saved{0,       2,    -1,       1,       "C:\\Q\\", name,
                             INT_MAX, line, "gl.exe", INT_MIN, 6000,      600};
        ServerLists lists{
            {{"q", 26001}, {"::2", 1}}, {{"10.0.0.1", 65535}}, {}, {"A", "B"}, {}, {}};
        lists.buddies = {"x", name.trimmed()};
        lists.alerts = {{{"q", 26001}, 8, false}, {{"::2", 1}, 0, true}};
        const QString path = NewFile();
        {
            QSettings store(path, QSettings::IniFormat);
            WriteFirstRun(store, 0);
            saved.SaveSettings(store);
            lists.Save(store);
            QCOMPARE(store.group(), QString());
            // Numbers go in as numbers, so that the registry holds them as DWORDs.
            QCOMPARE(store.value("settings/updatetime").typeId(), QMetaType::Int);
            store.beginGroup("settings");
            QCOMPARE(store.childKeys().size(), 13);
        }
        // Read a copy so that the text is parsed again rather than taken from the cache.
        const QString copy = NewFile();
        QVERIFY(QFile::copy(path, copy));
        QCOMPARE(Read(copy), Fields(saved, lists));
    }

    // An empty file gives the defaults. In a hand-edited one, lines of garbage are passed over, a
    // number that is not a whole number in decimals reads as the default, an empty text stays
    // empty, a text split at an unquoted comma is joined again; a server with no host or a port
    // outside 1..65535 is left out, and so is an alert that tells of nothing; a watch interval
    // outside 30..600 s reads as the default.
    void HandEditedFile() {
        QStringList expected = Read(NewFile());
        QCOMPARE(
            expected.mid(0, 9) + expected.mid(11),
            QStringList(
                {"1", "1", "1", "0", "20", "0", "60", "-zone 512", "Vantrel v.70", "", "",
                 "master.frag-net.com:27950 dpmaster.deathmask.net:27950 dpmaster.tchr.no:27950",
                 "FTE-Quake", "60", "", ""}));
        expected[8] = "";
        expected[10] = "Bob, the Great";
        expected[12] = "a:1 b:65535";
        expected[16] = "Bob";
        expected[17] = "a:1 2 0";
        const QByteArray edited =
            "[settings]\n\x01\x02\xff=\xfe\njunk\nfirstrun=0\nasciirules=12abc\nnametrickery=0x14\n"
            "updatetime=@ByteArray(20)\nasciinames=@Variant(garbage)\nquakename=\n"
            "exe=Bob, the Great\nwatchseconds=29\n[browser]\nrecent\\size=5\n"
            "buddies\\size=2\nbuddies\\1\\name= \nbuddies\\2\\name=Bob\nalerts\\size=2\n"
            "alerts\\1\\host=a\nalerts\\1\\port=1\nalerts\\1\\minplayers=2\n"
            "alerts\\2\\host=b\nalerts\\2\\port=1\nalerts\\2\\minplayers=-3\n"
            "recent\\1\\host=a\nrecent\\1\\port=1\nrecent\\2\\host=b\nrecent\\2\\port=0\n"
            "recent\\3\\host=b\nrecent\\3\\port=65536\nrecent\\4\\host= \nrecent\\4\\port=2\n"
            "recent\\5\\host=b\nrecent\\5\\port=65535\n[other\n";
        const QString path = NewFile(edited);
        QCOMPARE(Read(path), expected);
        QSettings store(path, QSettings::IniFormat);
        QCOMPARE(ReadFirstRun(store), 0);
    }

    // Two copies of the program on one file take turns: each change is made to the lists as the
    // file holds them, so neither loses the other's. A later version's layout, written there
    // since, reads as the defaults and is left as written, to the byte.
    void CopiesTakeTurns() {
        const QString path = NewFile();
        QSettings storeA(path, QSettings::IniFormat), storeB(path, QSettings::IniFormat);
        ServerLists a, b;
        const auto note = [](QSettings& store, ServerLists& lists, const HostPort& server) {
            return ChangeStoredLists(store, lists,
                                     [&](ServerLists& l) { AddRecent(l.recent, server); });
        };
        note(storeA, a, {"a", 1});
        note(storeB, b, {"b", 2});
        QCOMPARE(note(storeA, a, {"c", 3}), ListsChange::Made);
        QCOMPARE(a.recent, (QList<HostPort>{{"c", 3}, {"b", 2}, {"a", 1}}));
        const QByteArray later = "[browser]\nversion=2\nrecent\\1\\host=a\nrecent\\1\\port=1\n"
                                 "recent\\size=1\n";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(later));
        file.close();
        QCOMPARE(note(storeB, b, {"d", 4}), ListsChange::ReadOnly);
        QVERIFY(b.recent.isEmpty() && file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), later);
    }

    // The newest first, each server once whatever its host's letter case, the newest 20 kept.
    void AddRecentKeepsTheNewestOnce() {
        QList<HostPort> recent;
        for (int i = 1; i <= RecentServersKept; ++i)
            recent << HostPort{QStringLiteral("h%1").arg(i), 1};
        AddRecent(recent, {"H2", 1});
        AddRecent(recent, {"h2", 2});
        QCOMPARE(recent.mid(0, 3), (QList<HostPort>{{"h2", 2}, {"H2", 1}, {"h1", 1}}));
        QCOMPARE(recent.last(), (HostPort{"h19", 1}));
    }

    // Where letter case matters, the first folder spelt "id1" in any case, by name.
    void DataFolderSpelling() {
        QTemporaryDir game;
        if (QFileInfo::exists(game.path().toUpper()))
            QSKIP("the file system ignores letter case");
        const QString quakepath = QDir::toNativeSeparators(game.path()) + QDir::separator();
        QDir folder(game.path());
        QVERIFY(folder.mkdir("id10") && folder.mkdir("xid1") &&
                QFile(game.filePath("ID1")).open(QIODevice::WriteOnly));
        QCOMPARE(DataFolder(quakepath + "/"), quakepath + "ID1");
        QVERIFY(folder.mkdir("id1"));
        QCOMPARE(DataFolder(quakepath), quakepath + "id1");
        QVERIFY(folder.mkdir("iD1") && folder.mkdir("Id1"));
        QCOMPARE(DataFolder(quakepath), quakepath + "Id1");
        // An empty game folder must not stand for the working folder.
        QVERIFY(!FolderExists("") && !FileExists(""));
    }
};

VANTREL_TEST(TestSettings)

#include "TestSettings.moc"
