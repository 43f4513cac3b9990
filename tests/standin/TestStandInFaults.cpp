#include "RawClient.h"
#include "Slipgate.h"
#include "standin/QuakeServerStandIn.h"

#include <QElapsedTimer>
#include <QtTest>
#include <memory>

Q_DECLARE_METATYPE(StandInFaults)
Q_DECLARE_METATYPE(FloodKind)

// The misbehaviours, seen from a raw UDP client.
class TestStandInFaults : public QObject {
    Q_OBJECT

private slots:
    void init();
    void Misbehaves_data();
    void Misbehaves();
    void DelaysReplies();
    void AnswersFromAnotherSocket();
    void Floods_data();
    void Floods();

private:
    std::unique_ptr<QuakeServerStandIn> server;
    std::unique_ptr<RawClient> client;
};

void TestStandInFaults::init() {
    server = std::make_unique<QuakeServerStandIn>(SlipgateConfig());
    QVERIFY(server->Start());
    client = std::make_unique<RawClient>();
}

void TestStandInFaults::Misbehaves_data() {
    QTest::addColumn<StandInFaults>("faults");
    QTest::addColumn<QByteArrayList>("requests");
    QTest::addColumn<QByteArrayList>("expected");
    const QByteArrayList players = {PlayerInfoRequest(0), PlayerInfoRequest(1),
                                    PlayerInfoRequest(2)};
    const QByteArrayList ruleWalk = {RuleInfoRequest(""), RuleInfoRequest("sv_gravity"),
                                     RuleInfoRequest("deathmatch")};
    const QByteArray garbage("\xff\xff\xff\xffgarbage\n");
    auto with = [](auto change) {
        StandInFaults faults;
        change(faults);
        return faults;
    };

    QTest::newRow("none") << StandInFaults() << players + ruleWalk
                          << QByteArrayList{slipgatePlayer0, slipgatePlayer1, slipgatePlayer2,
                                            slipgateRule0,   slipgateRule1,   ruleEnd};
    QTest::newRow("drop server info") << with([](auto& f) { f.dropServerInfo = true; })
                                      << QByteArrayList{ServerInfoRequest(), PlayerInfoRequest(0)}
                                      << QByteArrayList{slipgatePlayer0};
    QTest::newRow("drop players 0 and 2") << with([](auto& f) {
        f.droppedPlayers = {0, 2};
    }) << players << QByteArrayList{slipgatePlayer1};
    QTest::newRow("drop rule 1") << with([](auto& f) { f.droppedRules = {1}; }) << ruleWalk
                                 << QByteArrayList{slipgateRule0, ruleEnd};
    QTest::newRow("drop end of rules") << with([](auto& f) { f.droppedRules = {2}; }) << ruleWalk
                                       << QByteArrayList{slipgateRule0, slipgateRule1};
    QTest::newRow("duplicate") << with([](auto& f) { f.duplicate = true; })
                               << QByteArrayList{ServerInfoRequest(), RuleInfoRequest("nosuch")}
                               << QByteArrayList{slipgateServerInfo, slipgateServerInfo, ruleEnd,
                                                 ruleEnd};
    QTest::newRow("reverse player burst")
        << with([](auto& f) { f.reversePlayerBurst = true; })
        << QByteArrayList{RuleInfoRequest("")} + players + QByteArrayList{ServerInfoRequest()}
        << QByteArrayList{slipgateRule0, slipgatePlayer2, slipgatePlayer1, slipgatePlayer0,
                          slipgateServerInfo};
    QTest::newRow("truncate") << with([](auto& f) { f.truncateTo = 6; })
                              << QByteArrayList{PlayerInfoRequest(0), RuleInfoRequest("nosuch")}
                              << QByteArrayList{slipgatePlayer0.left(6), ruleEnd.left(5)};
    QTest::newRow("truncate to nothing")
        << with([](auto& f) { f.truncateTo = 0; }) << QByteArrayList{ServerInfoRequest()}
        << QByteArrayList{QByteArray()};
    QTest::newRow("unterminated") << with([](auto& f) { f.unterminated = true; })
                                  << QByteArrayList{ServerInfoRequest(), PlayerInfoRequest(0),
                                                    RuleInfoRequest(""), RuleInfoRequest("nosuch")}
                                  << QByteArrayList{
                                         Hex("8000002483") +
                                             QByteArray("10.0.0.5:26000\0Slipgate\0e1m1", 28) +
                                             Hex("030803"),
                                         Hex("80000028") + slipgatePlayer0.mid(4).chopped(1),
                                         Hex("8000001385") + QByteArray("sv_gravity\0"
                                                                        "800",
                                                                        14),
                                         ruleEnd};
    QTest::newRow("oversized")
        << with([](auto& f) { f.oversized = true; })
        << QByteArrayList{ServerInfoRequest(), RuleInfoRequest(""), RuleInfoRequest("nosuch")}
        << QByteArrayList{Hex("8000014083") + QByteArray("10.0.0.5:26000\0Slipgate\0e1m1", 28) +
                              QByteArray(283, 'x') + Hex("00030803"),
                          Hex("8000014085") +
                              QByteArray("sv_gravity\0"
                                         "800",
                                         14) +
                              QByteArray(300, 'x') + '\0',
                          Hex("8000014085") + QByteArray(315, '\0')};
    QTest::newRow("garbage first") << with([](auto& f) { f.garbageFirst = true; })
                                   << QByteArrayList{ServerInfoRequest(), RuleInfoRequest("nosuch")}
                                   << QByteArrayList{garbage, slipgateServerInfo, garbage, ruleEnd};
    QTest::newRow("garbage and duplicate")
        << with([](auto& f) {
               f.garbageFirst = true;
               f.duplicate = true;
           })
        << QByteArrayList{PlayerInfoRequest(1)}
        << QByteArrayList{garbage, slipgatePlayer1, garbage, slipgatePlayer1};
    QTest::newRow("endless rules") << with([](auto& f) { f.endlessRules = true; }) << ruleWalk
                                   << QByteArrayList{slipgateRule0, slipgateRule0, slipgateRule0};
    QTest::newRow("looping rules")
        << with([](auto& f) { f.loopingRules = true; })
        << ruleWalk + QByteArrayList{RuleInfoRequest("nosuch")}
        << QByteArrayList{slipgateRule0, slipgateRule1, slipgateRule0, ruleEnd};
}

// Every reply of a request goes out while the server reads it, so once the server has recorded
// all requests, a datagram it sends itself arrives after all the replies.
void TestStandInFaults::Misbehaves() {
    QFETCH(StandInFaults, faults);
    QFETCH(QByteArrayList, requests);
    QFETCH(QByteArrayList, expected);
    server->Faults() = faults;
    for (const QByteArray& request : requests)
        client->Send(request, server->Port());
    QTRY_COMPARE(server->Requests().size(), requests.size());
    server->SendRaw("end of test", QHostAddress::LocalHost, client->Port());
    QTRY_VERIFY(!client->received.isEmpty() && client->received.last() == "end of test");
    QCOMPARE(client->received.mid(0, client->received.size() - 1), expected);
}

void TestStandInFaults::DelaysReplies() {
    server->Faults().delayMs = 150;
    server->Faults().reversePlayerBurst = true;
    QElapsedTimer clock;
    clock.start();
    client->Send(PlayerInfoRequest(0), server->Port());
    client->Send(PlayerInfoRequest(1), server->Port());
    QTRY_COMPARE(client->received.size(), 2);
    QVERIFY2(clock.elapsed() >= 150, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(client->received, QByteArrayList({slipgatePlayer1, slipgatePlayer0}));
}

void TestStandInFaults::AnswersFromAnotherSocket() {
    server->Faults().answerFromOtherSocket = true;
    client->Send(ServerInfoRequest(), server->Port());
    QTRY_COMPARE(client->received, QByteArrayList{slipgateServerInfo});
    QCOMPARE(client->senderPorts, QList<quint16>{server->OtherPort()});
    QVERIFY(server->OtherPort() != server->Port());
}

void TestStandInFaults::Floods_data() {
    QTest::addColumn<FloodKind>("kind");
    QTest::addColumn<int>("count");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("server info") << FloodKind::ServerInfo << 1 << slipgateServerInfo;
    QTest::newRow("player info") << FloodKind::PlayerInfo << 1000 << slipgatePlayer0;
    QTest::newRow("rule info") << FloodKind::RuleInfo << 65 << slipgateRule0;
    QTest::newRow("rule end") << FloodKind::RuleEnd << 64 << ruleEnd;
    QTest::newRow("garbage") << FloodKind::Garbage << 200
                             << QByteArray("\xff\xff\xff\xffgarbage\n");
}

void TestStandInFaults::Floods() {
    QFETCH(FloodKind, kind);
    QFETCH(int, count);
    QFETCH(QByteArray, expected);
    QSignalSpy finished(server.get(), &QuakeServerStandIn::FloodFinished);
    server->Flood(kind, count, QHostAddress::LocalHost, client->Port());
    QTRY_COMPARE(client->received.size(), count);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(client->received.count(expected), count);
}

int RunFaultTests(int argc, char* argv[]) {
    TestStandInFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestStandInFaults.moc"
