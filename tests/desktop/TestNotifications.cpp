#include "DBusNotices.h"
#include "Notifications.h"
#include "TestRegistry.h"
#include "TrayNotices.h"
#include "WatchNotice.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTest>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");

// The desktop's notification service as far as Vantrel uses it: it records each Notify call as
// "summary|body|actions" and answers its number as the notification's id.
class Recorder final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList calls;

public slots:
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
                const QStringList& actions, const QVariantMap&, int) {
        calls << summary + u'|' + body + u'|' + actions.join(u',');
        return uint(calls.size());
    }
};

} // namespace

// A private session bus of its own, with the recorder on it as the notification service.
class TestNotifications : public QObject {
    Q_OBJECT

    QProcess daemon;
    Recorder recorder;
    QDBusConnection service{QString()};
    QDBusConnection client{QString()};
    const HostPort server{QStringLiteral("127.0.0.1"), 26001};

    void InvokeAction(uint id, const QString& key) {
        service.send(QDBusMessage::createSignal(Path, Service, QStringLiteral("ActionInvoked"))
                     << id << key);
    }

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QSKIP("dbus-daemon is not installed");
        daemon.start(QStringLiteral("dbus-daemon"), {"--session", "--print-address", "--nofork"});
        QVERIFY(daemon.waitForStarted(5000) && daemon.waitForReadyRead(5000));
        const QString address = QString::fromUtf8(daemon.readLine().trimmed());
        service = QDBusConnection::connectToBus(address, QStringLiteral("service"));
        client = QDBusConnection::connectToBus(address, QStringLiteral("client"));
        QVERIFY(service.registerObject(Path, &recorder, QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService(Service));
    }
    void cleanupTestCase() {
        daemon.kill();
        daemon.waitForFinished(5000);
    }

    // The service's signal reaches every program on the bus; a second Join on our notification
    // marks the end, as signals from one sender arrive in order.
    void Actions_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("ours");
        QTest::addColumn<int>("action");
        QTest::newRow("join") << "join" << true << int(NoticeAction::Join);
        QTest::newRow("show") << "show" << true << int(NoticeAction::Show);
        QTest::newRow("click on the notification") << "default" << true << int(NoticeAction::Show);
        QTest::newRow("unknown action") << "dismiss" << true << -1;
        QTest::newRow("another program's notification") << "join" << false << -1;
    }
    void Actions() {
        QFETCH(QString, key);
        QFETCH(bool, ours);
        QFETCH(int, action);
        DBusNotices notices(client);
        QSignalSpy chosen(&notices, &NoticeSender::Chosen);
        notices.Send({server, "Alice is on Deathmatch", "e1m1 <3 & 8>"});
        QVERIFY(QTest::qWaitFor([&] { return notices.Showing() == 1; }, 5000));
        QCOMPARE(recorder.calls.last(), "Alice is on Deathmatch|e1m1 &lt;3 &amp; 8&gt;|"
                                        "join,Join,show,Show");
        const uint id = uint(recorder.calls.size());
        InvokeAction(ours ? id : id + 1000, key);
        InvokeAction(id, QStringLiteral("join"));
        QVERIFY(QTest::qWaitFor([&] { return chosen.size() == (action < 0 ? 1 : 2); }, 5000));
        QCOMPARE(chosen.first().at(0).value<HostPort>().port, server.port);
        QCOMPARE(chosen.first().at(1).value<NoticeAction>(),
                 NoticeAction(action < 0 ? int(NoticeAction::Join) : action));
    }

    // Notices wait while the launched game runs and come folded into one after it; paused ones
    // are dropped. Without the service a notice is given back for the tray. A name's line feeds
    // and graphic bytes do not reach the desktop.
    void HoldsWhileTheGameRuns() {
        DBusNotices notices(client);
        QSystemTrayIcon icon;
        TrayNotices tray(icon);
        Notifications notifications(&notices, tray);
        QProcess game;
        game.start(QStringLiteral("sleep"), {"600"});
        QVERIFY(game.waitForStarted(5000));
        notifications.GameStarted(game.processId());
        const qsizetype before = recorder.calls.size();
        for (const char* name : {"Alice", "B\xe2\nb", "Alice"})
            notifications.Notify(*WatchNotice({WatchEventKind::BuddyJoined, "[::1]", "DM", name}));
        notifications.OnTick();
        QCOMPARE(notifications.Held(), 3);
        game.kill();
        QVERIFY(game.waitForFinished(5000));
        notifications.OnTick();
        QVERIFY(QTest::qWaitFor([&] { return recorder.calls.size() == before + 1; }, 5000));
        QCOMPARE(recorder.calls.last(),
                 "While you played|Alice is on DM\nBb b is on DM|join,Join,show,Show");

        notifications.SetPaused(true);
        notifications.Notify({server, "Carol is on Deathmatch", "e1m1"});
        notifications.SetPaused(false);
        service.unregisterService(Service);
        QSignalSpy unsent(&notices, &NoticeSender::Unsent);
        notifications.Notify({server, "Dave is on Deathmatch", "e1m1"});
        QVERIFY(QTest::qWaitFor([&] { return unsent.size() == 1; }, 5000));
        QVERIFY(service.registerService(Service));
        QCOMPARE(unsent.first().at(0).value<Notice>().summary, "Dave is on Deathmatch");
        QCOMPARE(recorder.calls.size(), before + 1);
    }
};

VANTREL_TEST(TestNotifications)
#include "TestNotifications.moc"
