#include "RawClient.h"
#include "Slipgate.h"
#include "standin/QuakeServerStandIn.h"

#include <QtTest>
#include <memory>

Q_DECLARE_METATYPE(StandInConfig)

// The stand-in's answers as a raw UDP client sees them.
class TestStandInReplies : public QObject {
    Q_OBJECT

private slots:
    void init();
    void Replies_data();
    void Replies();
    void ServerInfoVariants_data();
    void ServerInfoVariants();
    void RecordsEveryRequest();
    void FollowsConfigChangesWhileRunning();
    void SendsRawFromEitherSocket();

private:
    // Sends the request and then a marker request, waits for count answers and the marker's
    // answer after them, and gives the answers. An ignored request has count 0.
    QByteArrayList AnswersTo(const QByteArray& request, int count = 1);

    std::unique_ptr<QuakeServerStandIn> server;
    std::unique_ptr<RawClient> client;
};

void TestStandInReplies::init() {
    server = std::make_unique<QuakeServerStandIn>(SlipgateConfig());
    QVERIFY(server->Start());
    client = std::make_unique<RawClient>();
}

QByteArrayList TestStandInReplies::AnswersTo(const QByteArray& request, int count) {
    client->received.clear();
    client->Send(request, server->Port());
    client->Send(RuleInfoRequest("deathmatch"), server->Port());
    [&] {
        QTRY_COMPARE(client->received.size(), count + 1);
        QCOMPARE(client->received.last(), ruleEnd);
    }();
    return client->received.mid(0, count);
}

void TestStandInReplies::Replies_data() {
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray quake("QUAKE\0", 6);

    QTest::newRow("server info") << ServerInfoRequest() << slipgateServerInfo;
    QTest::newRow("server info without version byte")
        << Hex("8000000b02") + quake << slipgateServerInfo;
    QTest::newRow("player 0") << PlayerInfoRequest(0) << slipgatePlayer0;
    QTest::newRow("player 1, charset bytes") << PlayerInfoRequest(1) << slipgatePlayer1;
    QTest::newRow("player 2") << PlayerInfoRequest(2) << slipgatePlayer2;
    QTest::newRow("player 3 does not exist") << PlayerInfoRequest(3) << QByteArray();
    QTest::newRow("player 255 does not exist") << PlayerInfoRequest(255) << QByteArray();
    QTest::newRow("first rule") << RuleInfoRequest("") << slipgateRule0;
    QTest::newRow("rule after first") << RuleInfoRequest("sv_gravity") << slipgateRule1;
    QTest::newRow("after last rule") << RuleInfoRequest("deathmatch") << ruleEnd;
    QTest::newRow("unknown rule") << RuleInfoRequest("nosuch") << ruleEnd;
    QTest::newRow("rule name without zero at the end")
        << Hex("8000000f04") + "sv_gravity" << slipgateRule1;

    QTest::newRow("empty datagram") << QByteArray() << QByteArray();
    QTest::newRow("header only") << Hex("80000004") << QByteArray();
    QTest::newRow("data flag") << Hex("0001000c02") + quake + '\3' << QByteArray();
    QTest::newRow("connectionless marker") << Hex("ffffffff02") + quake + '\3' << QByteArray();
    QTest::newRow("length too long") << Hex("8000000d02") + quake + '\3' << QByteArray();
    QTest::newRow("length too short") << Hex("8000000b02") + quake + '\3' << QByteArray();
    QTest::newRow("other game") << Hex("8000000c02") + "QUAKX" + '\0' + '\3' << QByteArray();
    QTest::newRow("player number missing") << Hex("8000000503") << QByteArray();
    QTest::newRow("connect request") << Hex("8000000c01") + quake + '\3' << QByteArray();
    QTest::newRow("a reply sent back") << slipgateRule0 << QByteArray();
}

void TestStandInReplies::Replies() {
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, expected);
    const QByteArrayList expectedAnswers =
        expected.isEmpty() ? QByteArrayList() : QByteArrayList{expected};
    QCOMPARE(AnswersTo(request, int(expectedAnswers.size())), expectedAnswers);
}

void TestStandInReplies::ServerInfoVariants_data() {
    QTest::addColumn<StandInConfig>("config");
    QTest::addColumn<QByteArray>("expected");

    StandInConfig lying;
    lying.serverAddress = "a";
    lying.serverName = "";
    lying.mapName = "";
    lying.players = SlipgateConfig().players;
    lying.currentPlayers = 200;
    lying.maxPlayers = 255;
    lying.protocolVersion = 15;
    QTest::newRow("count override, empty texts") << lying << Hex("8000000c8361000000c8ff0f");

    StandInConfig charset = SlipgateConfig();
    charset.serverName = "\x10\xd3lipgate\x11";
    charset.players.clear();
    QTest::newRow("charset bytes, no players")
        << charset
        << Hex("8000002783") + QByteArray("10.0.0.5:26000\0\x10\xd3lipgate\x11\0e1m1\0", 31) +
               Hex("000803");
}

void TestStandInReplies::ServerInfoVariants() {
    QFETCH(StandInConfig, config);
    QFETCH(QByteArray, expected);
    server->Config() = config;
    QCOMPARE(AnswersTo(ServerInfoRequest()), QByteArrayList{expected});
}

void TestStandInReplies::RecordsEveryRequest() {
    server->Config().serverAddress.clear();
    const QByteArrayList sent = {ServerInfoRequest(), Hex("80000004"), PlayerInfoRequest(1)};
    for (const QByteArray& request : sent)
        client->Send(request, server->Port());
    QTRY_COMPARE(client->received.size(), 2);
    QCOMPARE(server->Requests(), sent);
    QCOMPARE(server->LastSenderAddress(), QHostAddress(QHostAddress::LocalHost));
    QCOMPARE(server->LastSenderPort(), client->Port());
    // Unconfigured, the server reports the address it listens on, as a NetQuake server does.
    const QByteArray ownAddress = "127.0.0.1:" + QByteArray::number(server->Port());
    QVERIFY(client->received[0].mid(4).startsWith('\x83' + ownAddress + '\0'));

    server->ClearRequests();
    QVERIFY(server->Requests().isEmpty());
}

void TestStandInReplies::FollowsConfigChangesWhileRunning() {
    QCOMPARE(AnswersTo(PlayerInfoRequest(3), 0), QByteArrayList());
    server->Config().players.append({"Ogre", 0, 0, 0, 0, ""});
    QCOMPARE(AnswersTo(ServerInfoRequest()).value(0).right(3), Hex("040803"));
    QCOMPARE(AnswersTo(PlayerInfoRequest(3)).value(0).mid(5, 6), QByteArray("\3Ogre\0", 6));

    server->Config().players.removeFirst();
    QCOMPARE(AnswersTo(PlayerInfoRequest(0)).value(0),
             Hex("800000198400") + slipgatePlayer1.mid(6));
    QCOMPARE(AnswersTo(PlayerInfoRequest(3), 0), QByteArrayList());
}

void TestStandInReplies::SendsRawFromEitherSocket() {
    QVERIFY(server->OtherPort() != 0 && server->OtherPort() != server->Port());
    server->SendRaw("one", QHostAddress::LocalHost, client->Port());
    server->SendRawFromOther("two", QHostAddress::LocalHost, client->Port());
    QTRY_COMPARE(client->received, QByteArrayList({"one", "two"}));
    QCOMPARE(client->senderPorts, QList<quint16>({server->Port(), server->OtherPort()}));
}

int RunReplyTests(int argc, char* argv[]) {
    TestStandInReplies test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestStandInReplies.moc"
