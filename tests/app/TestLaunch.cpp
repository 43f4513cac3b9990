#include "QueryWindow.h"
#include "TestRegistry.h"

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

} // namespace

class TestLaunch : public QObject {
    Q_OBJECT

private slots:
    // With name trickery and auto-update on, the launch keeps the scripts current from then on;
    // a launch that is refused starts nothing. "vantrel-test-quake" is found on the PATH alone.
    void Launch_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<bool>("queried");
        QTest::addColumn<int>("nametrickery");
        QTest::addColumn<QString>("commandline");
        QTest::addColumn<QStringList>("leading");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* tag, const char* game, bool queried, int nametrickery,
                            const char* commandline, const QStringList& leading,
                            const QString& message = {}) {
            QTest::newRow(tag) << game << queried << nametrickery << commandline << leading
                               << message;
        };
        const QString check = QStringLiteral(" does not exist.\r\nPlease check Vantrel's options.");
        row("queried", "glquake", true, 1, "-basedir \"/home/me/my quake\" -width 1024",
            {"-basedir", "/home/me/my quake", "-width", "1024"});
        // Before any query the game goes to the window's initial server.
        row("not queried", "glquake", false, 0, "-zone 512", {"-zone", "512"});
        row("on the PATH", "vantrel-test-quake", false, 1, "", {});
        row("no executable", "winquake.exe", false, 1, "", {}, "Your quake executable" + check);
        row("no folder", "", false, 1, "", {}, "Your quake folder" + check);
    }
    void Launch() {
        QFETCH(QString, game);
        QFETCH(bool, queried);
        QFETCH(QString, message);
        QFETCH(QStringList, leading);
        QTemporaryDir bin;
        const QByteArray path = qgetenv("PATH");
        QueryWindow w;
        const QString record = w.GamePath() + "/../launched.txt";
        WriteRecordingGame(w.GamePath() + "/glquake", record);
        WriteRecordingGame(bin.filePath("vantrel-test-quake"), record);
        QFETCH(QString, commandline);
        w.settings.commandline = commandline;
        QFETCH(int, nametrickery);
        w.settings.nametrickery = nametrickery;
        w.settings.autoupdate = 1;
        w.settings.exe = game.isEmpty() ? QStringLiteral("glquake") : game;
        qputenv("PATH", bin.path().toLocal8Bit() + ':' + path);
        w.Open();
        if (game.isEmpty())
            QDir(w.GamePath()).removeRecursively();
        if (queried)
            QVERIFY(w.QueryToTheEnd());
        // Typed after the last query start: not what the game connects to.
        w.Control<QLineEdit>("serverHost").setText("elsewhere");
        w.Control<QPushButton>("launchButton").click();
        qputenv("PATH", path);
        const bool cycle = nametrickery == 1 && message.isEmpty();
        QCOMPARE(w.Looks().section(u'|', 4), cycle ? "q0u1|-U" : "q0u0|--");
        QCOMPARE(w.Prompts().Texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            return;
        // Running already, the update cycle is left running.
        if (cycle) {
            w.Control<QPushButton>("launchButton").click();
            QCOMPARE(w.Looks().section(u'|', 4), "q0u1|-U");
        }
        QTRY_VERIFY(QFile::exists(record));
        QFile file(record);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList expected =
            QStringList{w.GamePath()} + leading +
            QStringList{
                "+port",    queried ? QString::number(w.server.Port()) : QStringLiteral("26000"),
                "+connect", queried ? "127.0.0.1" : "",
                "+exec",    "vantrel.scr",
                ""};
        QCOMPARE(QString::fromLocal8Bit(file.readAll()).split(u'\n'), expected);
    }
};

VANTREL_TEST(TestLaunch)
#include "TestLaunch.moc"
