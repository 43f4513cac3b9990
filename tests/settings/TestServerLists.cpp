#include "ServerLists.h"
#include "Settings.h"
#include "TestRegistry.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

QList<HostPort> Servers(std::initializer_list<const char*> texts) {
    QList<HostPort> servers;
    for (const char* text : texts) {
        QString error;
        servers.append(*ParseHostPort(QString::fromLatin1(text), DefaultServerPort, error));
    }
    return servers;
}

} // namespace

char* toString(const HostPort& server) {
    return QTest::toString(HostPortText(server));
}

class TestServerLists : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    int fileCount = 0;

    // A fresh file each time: QSettings caches what it parsed per file name.
    QString NewIniPath() { return dir.filePath(QStringLiteral("l%1.ini").arg(++fileCount)); }

    static ServerLists LoadFrom(const QString& path) {
        QSettings store(path, QSettings::IniFormat);
        ServerLists lists;
        lists.Load(store);
        return lists;
    }

private slots:
    void FreshStoreGivesTheDefaults() {
        const ServerLists lists = LoadFrom(NewIniPath());
        QVERIFY(lists.favourites.isEmpty() && lists.recent.isEmpty());
        QCOMPARE(lists.masters,
                 Servers({"master.frag-net.com:27950", "dpmaster.deathmask.net:27950",
                          "dpmaster.tchr.no:27950"}));
        QCOMPARE(lists.games, QStringList{"FTE-Quake"});
    }

    // The lists go in a group of their own; the options beside them read back unchanged, and a
    // list the user emptied stays empty rather than turning back into the defaults.
    void RoundTripBesideTheOptions() {
        const QString path = NewIniPath();
        Settings options = DefaultSettings();
        options.quakename = QStringLiteral("Ranger");
        ServerLists saved;
        saved.favourites = Servers({"quake.example.net:26001", "[2001:db8::1]:26000"});
        saved.recent = Servers({"10.0.0.1:26000"});
        saved.masters = {};
        saved.games = {"FTE-Quake", "DarkPlaces-Quake"};
        {
            QSettings store(path, QSettings::IniFormat);
            options.SaveSettings(store);
            saved.Save(store);
            store.beginGroup("settings");
            QCOMPARE(store.childKeys().size(), 11);
        }
        const QString copy = NewIniPath();
        QVERIFY(QFile::copy(path, copy));
        const ServerLists read = LoadFrom(copy);
        QCOMPARE(read.favourites, saved.favourites);
        QCOMPARE(read.recent, saved.recent);
        QCOMPARE(read.masters, QList<HostPort>());
        QCOMPARE(read.games, saved.games);
        QSettings store(copy, QSettings::IniFormat);
        Settings reread;
        reread.LoadSettings(store);
        QCOMPARE(reread.quakename, QStringLiteral("Ranger"));
    }

    // What a hand-edited file may hold: unusable entries are left out, the rest kept in order.
    void StoredEntriesAreChecked_data() {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QStringList>("favourites");
        QTest::addColumn<int>("masters");
        const QByteArray good = "favourites\\1\\host=a\nfavourites\\1\\port=1\n";
        const auto row = [&](const char* tag, const QByteArray& second, QStringList favourites,
                             int masters) {
            QTest::newRow(tag) << "favourites\\size=2\n" + good + second << favourites << masters;
        };
        row("port 0", "favourites\\2\\host=b\nfavourites\\2\\port=0\n", {"a:1"}, 3);
        row("port too big", "favourites\\2\\host=b\nfavourites\\2\\port=65536\n", {"a:1"}, 3);
        row("port not a number", "favourites\\2\\host=b\nfavourites\\2\\port=x\n", {"a:1"}, 3);
        row("no host", "favourites\\2\\port=26000\n", {"a:1"}, 3);
        row("good", "favourites\\2\\host=b\nfavourites\\2\\port=65535\n", {"a:1", "b:65535"}, 3);
        row("empty masters", "masters\\size=0\n", {"a:1"}, 0);
        row("later layout", "version=2\n", {}, 3);
    }
    void StoredEntriesAreChecked() {
        QFETCH(QByteArray, lines);
        const QString path = NewIniPath();
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[browser]\n" + lines);
        file.close();
        const ServerLists lists = LoadFrom(path);
        QStringList favourites;
        for (const HostPort& server : lists.favourites)
            favourites << HostPortText(server);
        QTEST(favourites, "favourites");
        QTEST(int(lists.masters.size()), "masters");
    }

    void AddRecentKeepsTheNewestOnce_data() {
        QTest::addColumn<QList<HostPort>>("before");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QList<HostPort>>("after");
        QTest::newRow("front") << Servers({"a:1", "b:2"}) << "c:3"
                               << Servers({"c:3", "a:1", "b:2"});
        QTest::newRow("moved up") << Servers({"a:1", "b:2", "c:3"}) << "c:3"
                                  << Servers({"c:3", "a:1", "b:2"});
        QTest::newRow("host case") << Servers({"a:1", "Quake.Example:2"}) << "quake.example:2"
                                   << Servers({"quake.example:2", "a:1"});
        QTest::newRow("other port") << Servers({"a:1"}) << "a:2" << Servers({"a:2", "a:1"});
        QList<HostPort> full;
        for (int i = 1; i <= RecentServersKept; ++i)
            full.append({QStringLiteral("h%1").arg(i), 26000});
        QTest::newRow("oldest dropped")
            << full << "new:1" << QList<HostPort>{{"new", 1}} + full.mid(0, full.size() - 1);
    }
    void AddRecentKeepsTheNewestOnce() {
        QFETCH(QList<HostPort>, before);
        QFETCH(QString, added);
        QString error;
        AddRecent(before, *ParseHostPort(added, DefaultServerPort, error));
        QTEST(before, "after");
    }
};

VANTREL_TEST(TestServerLists)

#include "TestServerLists.moc"
