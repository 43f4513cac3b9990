#include "Settings.h"
#include "TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <climits>

namespace {

const QStringList kNames{"asciinames", "asciirules", "asciiserver", "nametrickery",
                         "timeout",    "autoupdate", "updatetime",  "commandline",
                         "quakename",  "quakepath",  "exe"};

// The eleven values as text, in the order of kNames.
QStringList Values(const Settings& s) {
    QStringList values;
    for (int value : {s.asciinames, s.asciirules, s.asciiserver, s.nametrickery, s.timeout,
                      s.autoupdate, s.updatetime})
        values << QString::number(value);
    return values << s.commandline << s.quakename << s.quakepath << s.exe;
}

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    int fileCount = 0;

    // A fresh file each time: QSettings caches what it parsed per file name.
    QString NewIniPath() { return dir.filePath(QStringLiteral("s%1.ini").arg(++fileCount)); }

    QString WriteIni(const QByteArray& settingsLines) {
        const QString path = NewIniPath();
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write("[settings]\n" + settingsLines + "\n");
        return path;
    }

    // Loads over values that are neither defaults nor stored, so a value left unread shows.
    static QStringList LoadFrom(const QString& path) {
        QSettings store(path, QSettings::IniFormat);
        Settings s;
        s.asciinames = s.asciirules = s.asciiserver = s.nametrickery = -7;
        s.timeout = s.autoupdate = s.updatetime = -7;
        s.commandline = s.quakename = s.quakepath = s.exe = QStringLiteral("junk");
        s.LoadSettings(store);
        return Values(s);
    }

private slots:
    void FreshStoreGivesTheDefaults() {
        const QString path = NewIniPath();
#ifdef Q_OS_WIN
        const QStringList game{"C:\\Quake", "Winquake.exe"};
#else
        const QStringList game{QDir::homePath() + "/quake", "quakespasm"};
#endif
        QCOMPARE(LoadFrom(path),
                 QStringList({"1", "1", "1", "0", "20", "0", "60", "-zone 512", "Vantrel v.70"}) +
                     game);
    }

    // The eleven values go beside the first-start marker, which saving leaves alone.
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
        const QString path = NewIniPath();
        {
            QSettings store(path, QSettings::IniFormat);
            QCOMPARE(ReadFirstRun(store), 1);
            WriteFirstRun(store, 0);
            saved.SaveSettings(store);
            QCOMPARE(store.status(), QSettings::NoError);
            QCOMPARE(store.group(), QString());
            store.beginGroup("settings");
            QCOMPARE(store.value("firstrun").toString(), QStringLiteral("0"));
            QCOMPARE(store.childKeys().size(), 12);
            // Numbers go in as numbers, so that the registry holds them as DWORDs.
            for (const QString& name : kNames)
                QCOMPARE(store.value(name).typeId(),
                         kNames.indexOf(name) < 7 ? QMetaType::Int : QMetaType::QString);
        }
        // Read a copy so that the text is parsed again rather than taken from the cache.
        const QString copy = NewIniPath();
        QVERIFY(QFile::copy(path, copy));
        QCOMPARE(LoadFrom(copy), Values(saved));
        QSettings reread(copy, QSettings::IniFormat);
        QCOMPARE(ReadFirstRun(reread), 0);
        QCOMPARE(reread.group(), QString());
    }

    // What a hand-edited file may hold. A number that is not a whole 32-bit number reads as the
    // default; an empty text stays empty rather than becoming the default.
    void StoredTextIsRead_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("expected");
        QTest::newRow("trailing letters") << QByteArray("asciirules=12abc") << "1";
        QTest::newRow("decimal point") << QByteArray("asciiserver=20.0") << "1";
        QTest::newRow("hex") << QByteArray("nametrickery=0x14") << "0";
        QTest::newRow("empty number") << QByteArray("timeout=") << "20";
        QTest::newRow("too big") << QByteArray("autoupdate=2147483648") << "0";
        QTest::newRow("bytes") << QByteArray("updatetime=@ByteArray(20)") << "60";
        QTest::newRow("empty text") << QByteArray("quakename=") << "";
        QTest::newRow("empty path") << QByteArray("quakepath=") << "";
        QTest::newRow("comma in text") << QByteArray("exe=Bob, the Great") << "Bob, the Great";
    }
    void StoredTextIsRead() {
        QFETCH(QByteArray, line);
        QFETCH(QString, expected);
        const QString name = QString::fromLatin1(line.left(line.indexOf('=')));
        QCOMPARE(LoadFrom(WriteIni(line)).at(kNames.indexOf(name)), expected);
    }
};

VANTREL_TEST(TestSettingsStore)

#include "TestSettingsStore.moc"
