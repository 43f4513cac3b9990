#include "QueryWindow.h"
#include "query/TimerIds.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// A stand-in for the game: writes its working folder and then each argument, one per line.
void WriteRecordingGame(const QString& program, const QString& record) {
    QFile file(program);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '" +
               record.toLocal8Bit() + ".part'\nmv '" + record.toLocal8Bit() + ".part' '" +
               record.toLocal8Bit() + "'\n");
    file.close();
    file.setPermissions(file.permissions() | QFile::ExeOwner);
}

QStringList Recorded(const QString& record) {
    QFile file(record);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readAll()).split(u'\n');
}

} // namespace

class TestLaunch : public QObject {
    Q_OBJECT

    QString Record(const QueryWindow& w) const { return w.GamePath() + "/../launched.txt"; }

    std::unique_ptr<QueryWindow> Window() {
        auto w = std::make_unique<QueryWindow>();
        w->settings.exe = QStringLiteral("glquake");
        WriteRecordingGame(w->GamePath() + "/glquake", Record(*w));
        return w;
    }

    void Launch(QueryWindow& w) {
        w.Dialog().findChild<QPushButton*>(QStringLiteral("launchButton"))->click();
    }

private slots:
    void StartsTheGame_data() {
        QTest::addColumn<QString>("commandline");
        QTest::addColumn<QStringList>("leading");
        QTest::newRow("default") << "-zone 512" << QStringList{"-zone", "512"};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("quoted") << "-basedir \"/home/me/my quake\" -width 1024"
                                << QStringList{"-basedir", "/home/me/my quake", "-width", "1024"};
        QTest::newRow("long") << QString("-x ").repeated(200).trimmed() << QStringList(200, "-x");
    }
    void StartsTheGame() {
        QFETCH(QString, commandline);
        QFETCH(QStringList, leading);
        auto w = Window();
        w->settings.commandline = commandline;
        w->Open();
        w->PressQuery();
        QTRY_VERIFY(w->AllRepliesIn());
        // Typed after the last query start: not what the game connects to.
        w->Dialog().findChild<QLineEdit*>(QStringLiteral("serverHost"))->setText("elsewhere");
        Launch(*w);
        QTRY_VERIFY(QFile::exists(Record(*w)));
        const QStringList expected = QStringList{w->GamePath()} + leading +
                                     QStringList{"+port",    QString::number(w->server.Port()),
                                                 "+connect", "127.0.0.1",
                                                 "+exec",    "vantrel.scr",
                                                 ""};
        QCOMPARE(Recorded(Record(*w)), expected);
        QVERIFY(w->Prompts().History().isEmpty());
    }

    void BeforeAnyQueryTheInitialServer() {
        auto w = Window();
        w->Open();
        Launch(*w);
        QTRY_VERIFY(QFile::exists(Record(*w)));
        QCOMPARE(Recorded(Record(*w)).mid(3, 4), (QStringList{"+port", "26000", "+connect", ""}));
    }

    void FoundOnThePath() {
        QTemporaryDir bin;
        auto w = Window();
        w->settings.exe = QStringLiteral("vantrel-test-quake");
        WriteRecordingGame(bin.filePath("vantrel-test-quake"), Record(*w));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit() + ':' + path);
        w->Open();
        Launch(*w);
        qputenv("PATH", path);
        QTRY_VERIFY(QFile::exists(Record(*w)));
        QCOMPARE(Recorded(Record(*w)).first(), w->GamePath());
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
        auto w = Window();
        w->settings.exe = QStringLiteral("winquake.exe");
        w->settings.autoupdate = 1;
        w->Open();
        if (removeFolder)
            QDir(w->GamePath()).removeRecursively();
        Launch(*w);
        QCOMPARE(w->Prompts().Texts(), QStringList{message});
        QCOMPARE(w->Dialog().State().autoUpdating, 0);
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
        auto w = Window();
        w->settings.nametrickery = nametrickery;
        w->settings.autoupdate = autoupdate;
        MainDialog& d = w->Open();
        if (alreadyRunning)
            d.findChild<QPushButton*>(QStringLiteral("updatesButton"))->click();
        Launch(*w);
        QCOMPARE(d.State().autoUpdating, autoUpdating);
        QCOMPARE(d.TimerArmed(UpdateTimer), autoUpdating == 1);
        QCOMPARE(d.State().querying, 0);
        QTRY_VERIFY(QFile::exists(Record(*w)));
    }
};

QTEST_MAIN(TestLaunch)
#include "TestLaunch.moc"
