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
    // With name trickery and auto-update on, the launch keeps the scripts current from then on;
    // a launch that is refused starts nothing.
    void Launch_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<bool>("queried");
        QTest::addColumn<bool>("running");
        QTest::addColumn<int>("nametrickery");
        QTest::addColumn<QString>("commandline");
        QTest::addColumn<QStringList>("leading");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("cycle");
        const QString check = QStringLiteral(" does not exist.\r\nPlease check Vantrel's options.");
        const auto row = [](const char* tag, const char* game, bool queried, bool running,
                            int nametrickery, const char* commandline, const QStringList& leading,
                            const QString& message, const char* cycle) {
            QTest::newRow(tag) << game << queried << running << nametrickery << commandline
                               << leading << message << cycle;
        };
        row("queried", "glquake", true, false, 1, "-basedir \"/home/me/my quake\" -width 1024",
            {"-basedir", "/home/me/my quake", "-width", "1024"}, "", "q0u1|-U");
        // Before any query the game goes to the window's initial server.
        row("not queried", "glquake", false, false, 0, "-zone 512", {"-zone", "512"}, "",
            "q0u0|--");
        row("on the PATH", "vantrel-test-quake", false, false, 1, "", {}, "", "q0u1|-U");
        row("updates running", "glquake", false, true, 1, "", {}, "", "q0u1|-U");
        row("no executable", "winquake.exe", false, false, 1, "", {},
            "Your quake executable" + check, "q0u0|--");
        row("no folder", "", false, false, 1, "", {}, "Your quake folder" + check, "q0u0|--");
    }
    void Launch() {
        QFETCH(QString, game);
        QFETCH(bool, queried);
        QFETCH(bool, running);
        QFETCH(int, nametrickery);
        QFETCH(QString, commandline);
        QFETCH(QStringList, leading);
        QFETCH(QString, message);
        QTemporaryDir bin;
        const QByteArray path = qgetenv("PATH");
        LaunchWindow w;
        w.settings.commandline = commandline;
        w.settings.nametrickery = nametrickery;
        w.settings.autoupdate = 1;
        if (!game.isEmpty())
            w.settings.exe = game;
        WriteRecordingGame(bin.filePath("vantrel-test-quake"), w.Record());
        qputenv("PATH", bin.path().toLocal8Bit() + ':' + path);
        w.Open();
        if (game.isEmpty())
            QDir(w.GamePath()).removeRecursively();
        if (running)
            w.Control<QPushButton>("updatesButton").click();
        if (queried)
            QVERIFY(w.QueryToTheEnd());
        // Typed after the last query start: not what the game connects to.
        w.Control<QLineEdit>("serverHost").setText("elsewhere");
        w.Launch();
        qputenv("PATH", path);
        QTEST(w.Looks().section(u'|', 4), "cycle");
        QCOMPARE(w.Prompts().Texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            return;
        QTRY_VERIFY(QFile::exists(w.Record()));
        const QString port = queried ? QString::number(w.server.Port()) : QStringLiteral("26000");
        const QStringList expected =
            QStringList{w.GamePath()} + leading +
            QStringList{"+port", port,          "+connect", queried ? "127.0.0.1" : "",
                        "+exec", "vantrel.scr", ""};
        QCOMPARE(w.Recorded(), expected);
    }
};

VANTREL_TEST(TestLaunch)
#include "TestLaunch.moc"
