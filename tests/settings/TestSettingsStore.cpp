#include "settings/Settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <climits>

namespace {

const QStringList kIntNames{"asciinames", "asciirules", "asciiserver", "nametrickery",
                            "timeout",    "autoupdate", "updatetime"};
const QStringList kTextNames{"commandline", "quakename", "quakepath", "exe"};

int IntField(const Settings& s, const QString& name) {
    const QList<int> values{s.asciinames, s.asciirules, s.asciiserver, s.nametrickery,
                            s.timeout,    s.autoupdate, s.updatetime};
    return values.at(kIntNames.indexOf(name));
}

QString TextField(const Settings& s, const QString& name) {
    const QStringList values{s.commandline, s.quakename, s.quakepath, s.exe};
    return values.at(kTextNames.indexOf(name));
}

Settings JunkSettings() {
    Settings s;
    s.asciinames = s.asciirules = s.asciiserver = s.nametrickery = -7;
    s.timeout = s.autoupdate = s.updatetime = -7;
    s.commandline = s.quakename = s.quakepath = s.exe = QStringLiteral("junk");
    return s;
}

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT

    QTemporaryDir userConfig;
    QTemporaryDir dir;
    int fileCount = 0;

    // A fresh file each time: QSettings caches what it parsed per file name.
    QString NewIniPath() { return dir.filePath(QStringLiteral("s%1.ini").arg(++fileCount)); }

    QString WriteIni(const QByteArray& settingsLines) {
        const QString path = NewIniPath();
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            return {};
        }
        file.write("[settings]\n" + settingsLines + "\n");
        return path;
    }

    Settings LoadFrom(const QString& path) {
        QSettings store(path, QSettings::IniFormat);
        Settings s = JunkSettings();
        s.LoadSettings(store);
        return s;
    }

    static void CompareToDefaults(const Settings& s) {
#ifdef Q_OS_WIN
        const QString quakepath = QStringLiteral("C:\\Quake");
        const QString exe = QStringLiteral("Winquake.exe");
#else
        const QString quakepath = QDir::homePath() + QStringLiteral("/quake");
        const QString exe = QStringLiteral("quakespasm");
#endif
        QCOMPARE(s.asciinames, 1);
        QCOMPARE(s.asciirules, 1);
        QCOMPARE(s.asciiserver, 1);
        QCOMPARE(s.nametrickery, 0);
        QCOMPARE(s.timeout, 20);
        QCOMPARE(s.autoupdate, 0);
        QCOMPARE(s.updatetime, 60);
        QCOMPARE(s.commandline, QStringLiteral("-zone 512"));
        QCOMPARE(s.quakename, QStringLiteral("Vantrel v.70"));
        QCOMPARE(s.quakepath, quakepath);
        QCOMPARE(s.exe, exe);
    }

private slots:
    void initTestCase() {
        QVERIFY(userConfig.isValid());
        QVERIFY(dir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, userConfig.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, userConfig.path());
    }

    void StoreIsPerUserUnderVantrelAndTheProgramName() {
        const auto store = OpenSettingsStore();
        QCOMPARE(store->format(), QSettings::NativeFormat);
        QCOMPARE(store->scope(), QSettings::UserScope);
        QCOMPARE(store->organizationName(), QStringLiteral("Vantrel"));
        QCOMPARE(store->applicationName(), QStringLiteral("test_settings"));
#ifndef Q_OS_WIN
        QCOMPARE(store->fileName(), userConfig.filePath("Vantrel/test_settings.conf"));
        Settings saved = DefaultSettings();
        saved.timeout = 33;
        saved.SaveSettings(*store);
        QVERIFY(QFile::exists(store->fileName()));
        Settings loaded;
        loaded.LoadSettings(*OpenSettingsStore());
        QCOMPARE(loaded.timeout, 33);
#endif
    }

    void FreshStoreGivesTheDefaults() {
        const QString path = NewIniPath();
        CompareToDefaults(LoadFrom(path));
        QSettings store(path, QSettings::IniFormat);
        QCOMPARE(ReadFirstRun(store), 1);
    }

    void RoundTripThroughTheFile() {
        Settings saved;
        saved.asciinames = 0;
        saved.asciirules = 2;
        saved.asciiserver = -1;
        saved.nametrickery = 1;
        saved.timeout = INT_MAX;
        saved.autoupdate = INT_MIN;
        saved.updatetime = 6000;
        saved.commandline = QStringLiteral("-zone 512, -heapsize 16384 ; #x = \"q\"");
        saved.quakename = QString::fromUtf8(" Pl\xc3\xa4yer@1 ");
        saved.quakepath = QStringLiteral("C:\\Games\\Quake\\");
        saved.exe = QStringLiteral("glquake.exe");
        const QString path = NewIniPath();
        {
            QSettings store(path, QSettings::IniFormat);
            saved.SaveSettings(store);
            QCOMPARE(store.status(), QSettings::NoError);
        }
        // Read a copy so that the text is parsed again rather than taken from the cache.
        const QString copy = NewIniPath();
        QVERIFY(QFile::copy(path, copy));
        const Settings loaded = LoadFrom(copy);
        for (const QString& name : kIntNames) {
            QCOMPARE(IntField(loaded, name), IntField(saved, name));
        }
        for (const QString& name : kTextNames) {
            QCOMPARE(TextField(loaded, name), TextField(saved, name));
        }
    }

    void UnreadableNumberGivesItsDefault_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("stored");
        const QList<QByteArray> garbage{"abc",  "12abc",         "20.0",       "0x14",
                                        "",     "2147483648",    "4294967296", "-2147483649",
                                        "1, 2", "@ByteArray(20)"};
        for (const QString& name : kIntNames) {
            for (const QByteArray& text : garbage) {
                QTest::addRow("%s=%s", qPrintable(name), text.constData()) << name << text;
            }
        }
    }
    void UnreadableNumberGivesItsDefault() {
        QFETCH(QString, name);
        QFETCH(QByteArray, stored);
        const Settings loaded = LoadFrom(WriteIni(name.toLatin1() + '=' + stored));
        QCOMPARE(IntField(loaded, name), IntField(DefaultSettings(), name));
    }

    void NumberOfAnotherTypeGivesItsDefault_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("stored");
        for (const QString& name : kIntNames) {
            const QByteArray n = name.toLatin1();
            QTest::addRow("%s list", n.constData()) << name << QVariant(QStringList{"1", "2"});
            QTest::addRow("%s real", n.constData()) << name << QVariant(3.5);
            QTest::addRow("%s bool", n.constData()) << name << QVariant(true);
            QTest::addRow("%s 64-bit", n.constData()) << name << QVariant(qlonglong(1) << 32);
            QTest::addRow("%s unsigned", n.constData()) << name << QVariant(uint(UINT_MAX));
            QTest::addRow("%s bytes", n.constData()) << name << QVariant(QByteArray("20"));
        }
    }
    void NumberOfAnotherTypeGivesItsDefault() {
        QFETCH(QString, name);
        QFETCH(QVariant, stored);
        const QString path = NewIniPath();
        QSettings store(path, QSettings::IniFormat);
        store.setValue("settings/" + name, stored);
        Settings loaded = JunkSettings();
        loaded.LoadSettings(store);
        QCOMPARE(IntField(loaded, name), IntField(DefaultSettings(), name));
    }

    void NumberThatFitsIsRead_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("negative") << QByteArray("-5") << -5;
        QTest::newRow("spaces") << QByteArray(" 7 ") << 7;
        QTest::newRow("largest") << QByteArray("2147483647") << INT_MAX;
        QTest::newRow("smallest") << QByteArray("-2147483648") << INT_MIN;
        QTest::newRow("zero") << QByteArray("0") << 0;
    }
    void NumberThatFitsIsRead() {
        QFETCH(QByteArray, stored);
        QFETCH(int, expected);
        QCOMPARE(LoadFrom(WriteIni("updatetime=" + stored)).updatetime, expected);
    }

    void EmptyTextStaysEmpty_data() {
        QTest::addColumn<QString>("name");
        for (const QString& name : kTextNames) {
            QTest::newRow(qPrintable(name)) << name;
        }
    }
    void EmptyTextStaysEmpty() {
        QFETCH(QString, name);
        const Settings loaded = LoadFrom(WriteIni(name.toLatin1() + '='));
        QCOMPARE(TextField(loaded, name), QString());
        QVERIFY(!TextField(DefaultSettings(), name).isEmpty());
    }

    void HandEditedCommaIsKeptInText() {
        QCOMPARE(LoadFrom(WriteIni("quakename=Bob, the Great")).quakename,
                 QStringLiteral("Bob, the Great"));
    }

    void LoadAndSaveUseTheValuesInOrder() {
        QCOMPARE(SettingsValueNames(), kIntNames + kTextNames);
    }

    void SaveWritesAllElevenAndLeavesFirstRun() {
        const QString path = WriteIni("firstrun=0");
        QSettings store(path, QSettings::IniFormat);
        const Settings unchanged = DefaultSettings();
        unchanged.SaveSettings(store);
        QCOMPARE(store.group(), QString());
        store.beginGroup("settings");
        QStringList keys = store.childKeys();
        keys.sort();
        QStringList expected = kIntNames + kTextNames + QStringList{"firstrun"};
        expected.sort();
        QCOMPARE(keys, expected);
        // Numbers go in as numbers, so that the registry holds them as DWORDs.
        for (const QString& name : kIntNames) {
            QCOMPARE(store.value(name).typeId(), QMetaType::Int);
        }
        QCOMPARE(store.value("firstrun").toString(), QStringLiteral("0"));
    }

    void SaveDoesNotCreateFirstRun() {
        QSettings store(NewIniPath(), QSettings::IniFormat);
        Settings().SaveSettings(store);
        QCOMPARE(store.allKeys().size(), 11);
        QVERIFY(!store.contains("settings/firstrun"));
        QCOMPARE(store.value("settings/timeout").toInt(), 0);
        QCOMPARE(store.value("settings/exe").toString(), QString());
    }

    void FirstRunMarker_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("missing") << QByteArray() << 1;
        QTest::newRow("done") << QByteArray("firstrun=0") << 0;
        QTest::newRow("garbage") << QByteArray("firstrun=no") << 1;
        QTest::newRow("outside the group") << QByteArray("[General]\nfirstrun=0") << 1;
    }
    void FirstRunMarker() {
        QFETCH(QByteArray, stored);
        QFETCH(int, expected);
        QSettings store(WriteIni(stored), QSettings::IniFormat);
        QCOMPARE(ReadFirstRun(store), expected);
        QCOMPARE(store.group(), QString());
    }

    void FirstRunWrittenBesideTheOptions() {
        const QString path = NewIniPath();
        {
            QSettings store(path, QSettings::IniFormat);
            WriteFirstRun(store, 0);
        }
        const QString copy = NewIniPath();
        QVERIFY(QFile::copy(path, copy));
        QSettings store(copy, QSettings::IniFormat);
        QCOMPARE(store.allKeys(), QStringList{"settings/firstrun"});
        QCOMPARE(ReadFirstRun(store), 0);
    }
};

int RunSettingsStoreTests(int argc, char** argv) {
    TestSettingsStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestSettingsStore.moc"
