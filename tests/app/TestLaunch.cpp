#include "QueryWindow.h"
#include "TestRegistry.h"
#include "TimerIds.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

// A stand-in for the game: writes its working folder and then each argument, one per line.
void WriteRecordingGame(const QString& program, const QString& record) {
    QFile file(program);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray to = record.toLocal8Bit();
    file.write("#!/bin/sh\n{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '" + to +
               ".part'\nmv '" + to + ".part' '" + to + "'\n");
    file.close();
    file.setPermissions(file.permissions() | QFile::ExeOwner);
}

// A window whose game, "glquake" in its game folder, records how it was started.
struct LaunchWindow : QueryWindow {
    LaunchWindow() {
        settings.exe = QStringLiteral("glquake");
        WriteRecordingGame(GamePath() + "/glquake", Record());
    }
    QString Record() const { return GamePath() + "/../launched.txt"; }
    void Launch() { Control<QPushButton>("launchButton").click(); }
    QStringList Recorded() const {
        QFile file(Record());
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()).split(u'\n')
                                              : QStringList();
    }
};

} // namespace

class TestLaunch : public QObject {
    Q_OBJECT

private slots:
    void StartsTheGame_data() {
        QTest::addColumn<bool>("queried");
        QTest::addColumn<QString>("commandline");
        QTest::addColumn<QStringList>("leading");
        QTest::newRow("default") << true << "-zone 512" << QStringList{"-zone", "512"};
        QTest::newRow("empty") << true << "" << QStringList{};
        QTest::newRow("quoted") << true << "-basedir \"/home/me/my quake\" -width 1024"
                                << QStringList{"-basedir", "/home/me/my quake", "-width", "1024"};
        QTest::newRow("long") << true << QString("-x ").repeated(200).trimmed()
                              << QStringList(200, "-x");
        // Before any query the game goes to the window's initial server.
        QTest::newRow("not queried") << false << "-zone 512" << QStringList{"-zone", "512"};
    }
    void StartsTheGame() {
        QFETCH(bool, queried);
        QFETCH(QString, commandline);
        QFETCH(QStringList, leading);
        LaunchWindow w;
        w.settings.commandline = commandline;
        w.Open();
        if (queried) {
            w.PressQuery();
            QTRY_VERIFY(w.AllRepliesIn());
        }
        // Typed after the last query start: not what the game connects to.
        w.Control<QLineEdit>("serverHost").setText("elsewhere");
        w.Launch();
        QTRY_VERIFY(QFile::exists(w.Record()));
        const QString port = queried ? QString::number(w.server.Port()) : QStringLiteral("26000");
        const QStringList expected =
            QStringList{w.GamePath()} + leading +
            QStringList{"+port", port,          "+connect", queried ? "127.0.0.1" : "",
                        "+exec", "vantrel.scr", ""};
        QCOMPARE(w.Recorded(), expected);
        QVERIFY(w.Prompts().History().isEmpty());
    }

    void FoundOnThePath() {
        QTemporaryDir bin;
        LaunchWindow w;
        w.settings.exe = QStringLiteral("vantrel-test-quake");
        WriteRecordingGame(bin.filePath("vantrel-test-quake"), w.Record());
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit() + ':' + path);
        w.Open();
        w.Launch();
        qputenv("PATH", path);
        QTRY_VERIFY(QFile::exists(w.Record()));
        QCOMPARE(w.Recorded().first(), w.GamePath());
    }

    void Refused_data() {
        QTest::addColumn<bool>("removeFolder");
        QTest::addColumn<QString>("message");
        QTest::newRow("no executable") << false
                                       << "Your quake executable does not exist.\r\n"
                                          "Please check Vantrel's options.";
        QTest::newRow("no folder") << true
                                   << "Your quake folder does not exist.\r\n"
                                      "Please check Vantrel's options.";
    }
    void Refused() {
        QFETCH(bool, removeFolder);
        QFETCH(QString, message);
        LaunchWindow w;
        w.settings.exe = QStringLiteral("winquake.exe");
        w.settings.autoupdate = 1;
        w.Open();
        if (removeFolder)
            QDir(w.GamePath()).removeRecursively();
        w.Launch();
        QCOMPARE(w.Prompts().Texts(), QStringList{message});
        QCOMPARE(w.Dialog().State().autoUpdating, 0);
    }

    // With name trickery and auto-update on, the launch keeps the scripts current from then on.
    void StartsTheUpdateCycle_data() {
        QTest::addColumn<int>("nametrickery");
        QTest::addColumn<int>("autoupdate");
        QTest::addColumn<bool>("alreadyRunning");
        QTest::addColumn<int>("autoUpdating");
        QTest::newRow("both on") << 1 << 1 << false << 1;
        QTest::newRow("already running") << 1 << 1 << true << 1;
        QTest::newRow("name trickery off") << 0 << 1 << false << 0;
        QTest::newRow("auto-update off") << 1 << 0 << false << 0;
    }
    void StartsTheUpdateCycle() {
        QFETCH(int, nametrickery);
        QFETCH(int, autoupdate);
        QFETCH(bool, alreadyRunning);
        QFETCH(int, autoUpdating);
        LaunchWindow w;
        w.settings.nametrickery = nametrickery;
        w.settings.autoupdate = autoupdate;
        MainDialog& d = w.Open();
        if (alreadyRunning)
            w.Control<QPushButton>("updatesButton").click();
        w.Launch();
        QCOMPARE(d.State().autoUpdating, autoUpdating);
        QCOMPARE(d.TimerArmed(UpdateTimer), autoUpdating == 1);
        QCOMPARE(d.State().querying, 0);
        QTRY_VERIFY(QFile::exists(w.Record()));
    }
};

VANTREL_TEST(TestLaunch)
#include "TestLaunch.moc"
