#include "MainWindowFixture.h"

#include <QLineEdit>
#include <QtTest>

class TestDataExchange : public QObject {
    Q_OBJECT

private slots:
    void portRange_data();
    void portRange();
    void refusedText_data();
    void refusedText();
    void pingRoundTrip_data();
    void pingRoundTrip();
};

void TestDataExchange::portRange_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("stored");
    QTest::newRow("0") << "0" << false << 0;
    QTest::newRow("65535") << "65535" << false << 65535;
    QTest::newRow("negative") << "-1" << false << -1;
    QTest::newRow("1") << "1" << true << 1;
    QTest::newRow("65534") << "65534" << true << 65534;
    QTest::newRow("spaces around") << " 27500 " << true << 27500;
}

void TestDataExchange::portRange() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(int, stored);
    MainWindowFixture fixture;
    MainDialog& dialog = fixture.Start();
    dialog.show();
    FindControl<QLineEdit>(dialog, "serverHost")->setText(QStringLiteral("quake.example"));
    auto* port = FindControl<QLineEdit>(dialog, "port");
    port->setText(typed);
    FindControl<QLineEdit>(dialog, "serverAddress")->setText(QStringLiteral("10.0.0.1:26000"));
    FindControl<QLineEdit>(dialog, "ping")->setText(QStringLiteral("42"));

    QCOMPARE(dialog.ReadFields(), accepted);
    const MainFields& f = dialog.Fields();
    QCOMPARE(f.serverHost, QStringLiteral("quake.example"));
    // The value is stored before its range is checked.
    QCOMPARE(f.port, stored);
    if (accepted) {
        QVERIFY(fixture.Prompts().History().isEmpty());
        QCOMPARE(f.serverAddress, QStringLiteral("10.0.0.1:26000"));
        QCOMPARE(f.ping, 42.0);
        return;
    }
    QCOMPARE(fixture.Prompts().History().size(), 1);
    QCOMPARE(fixture.Prompts().History().first().caption, QStringLiteral("Vantrel"));
    QCOMPARE(fixture.Prompts().Texts(),
             QStringList{QStringLiteral("Please enter an integer between 1 and 65534.")});
    QCOMPARE(dialog.focusWidget(), port);
    QCOMPARE(port->selectedText(), typed);
    QCOMPARE(f.serverAddress, QString());
    QCOMPARE(f.ping, 0.0);
}

void TestDataExchange::refusedText_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    const QString integer = QStringLiteral("Please enter an integer.");
    QTest::newRow("current players") << "currentPlayers"
                                     << "x" << integer;
    QTest::newRow("max players empty") << "maxPlayers"
                                       << "" << integer;
    QTest::newRow("port with letters") << "port"
                                       << "26000a" << integer;
    QTest::newRow("port fraction") << "port"
                                   << "2.5" << integer;
    QTest::newRow("port beyond 32 bits") << "port"
                                         << "4294967297" << integer;
    QTest::newRow("ping") << "ping"
                          << "fast" << QStringLiteral("Please enter a number.");
}

void TestDataExchange::refusedText() {
    QFETCH(QString, control);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    MainWindowFixture fixture;
    MainDialog& dialog = fixture.Start();
    dialog.show();
    MainFields& f = dialog.Fields();
    f.currentPlayers = 3;
    f.maxPlayers = 8;
    f.port = 27000;
    f.ping = 12.5;
    dialog.ShowFields();
    auto* edit = FindControl<QLineEdit>(dialog, control.toLatin1().constData());
    edit->setText(typed);

    QVERIFY(!dialog.ReadFields());
    QCOMPARE(fixture.Prompts().Texts(), QStringList{message});
    QCOMPARE(dialog.focusWidget(), edit);
    QCOMPARE(edit->selectedText(), typed);
    // A refused text leaves its field, and every field after it, as they were.
    QCOMPARE(f.currentPlayers, 3);
    QCOMPARE(f.maxPlayers, 8);
    QCOMPARE(f.port, 27000);
    QCOMPARE(f.ping, 12.5);
}

void TestDataExchange::pingRoundTrip_data() {
    QTest::addColumn<double>("ping");
    QTest::addColumn<QString>("shown");
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("half") << 12.5 << "12.5";
    QTest::newRow("fifteen digits") << 1000.0 / 3 << "333.333333333333";
    QTest::newRow("no exponent below precision") << 100000.0 << "100000";
    QTest::newRow("small") << 0.00001 << "1e-05";
    QTest::newRow("large") << 123456789012345678.0 << "1.23456789012346e+17";
}

void TestDataExchange::pingRoundTrip() {
    QFETCH(double, ping);
    QFETCH(QString, shown);
    MainWindowFixture fixture;
    MainDialog& dialog = fixture.Start();
    dialog.Fields().ping = ping;
    dialog.ShowFields();
    QCOMPARE(FindControl<QLineEdit>(dialog, "ping")->text(), shown);
    QVERIFY(dialog.ReadFields());
    QCOMPARE(dialog.Fields().ping, shown.toDouble());
}

int RunDataExchangeTests(int argc, char** argv) {
    TestDataExchange test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestDataExchange.moc"
