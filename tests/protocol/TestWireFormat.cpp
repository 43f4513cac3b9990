#include "PacketBuffer.h"
#include "TestRegistry.h"

#include <QByteArray>
#include <QTest>

namespace {

QByteArray Sent(const PacketBuffer& buffer, int length) {
    return QByteArray(reinterpret_cast<const char*>(buffer.Data()), length);
}

// Receives a datagram the way the socket does: clear, copy what fits, record the length.
void Receive(PacketBuffer& buffer, const QByteArray& datagram) {
    buffer.ClearPacketBuffer();
    const int n = std::min<int>(datagram.size(), PacketBuffer::Size);
    std::memcpy(buffer.ReceiveArea(), datagram.constData(), n);
    buffer.SetReceivedLength(datagram.size());
}

template <std::size_t N> QByteArray Bytes(const FixedText<N>& text) {
    return QByteArray(text.Data(), qsizetype(text.Length()));
}

QByteArray Header(char code) {
    return QByteArray::fromHex("80000000") + code;
}

QByteArray Text(const QByteArray& text) {
    return text + '\0';
}

QByteArray Int32(qint32 v) {
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char((quint32(v) >> (8 * i)) & 0xFF);
    return b;
}

QByteArray ServerInfoReply(const QByteArray& tail) {
    return Header('\x83') + tail;
}

} // namespace

class TestWireFormat : public QObject {
    Q_OBJECT

private slots:
    void ServerInfoRequest() {
        PacketBuffer buffer;
        const int n = buffer.BuildServerInfoRequest();
        QCOMPARE(Sent(buffer, n), QByteArray::fromHex("8000000c025155414b450003"));
    }

    void PlayerInfoRequests() {
        PacketBuffer buffer;
        buffer.BeginPlayerInfoRequests();
        for (int i : {0, 1, 2, 15, 255}) {
            const int n = buffer.BuildPlayerInfoRequest(std::uint8_t(i));
            QCOMPARE(Sent(buffer, n), QByteArray::fromHex("8000000603") + char(i));
        }
    }

    void RuleInfoRequest_data() {
        QTest::addColumn<QByteArray>("previous");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("first") << QByteArray() << QByteArray::fromHex("800000060400");
        QTest::newRow("ten characters")
            << QByteArray("sv_gravity") << QByteArray::fromHex("8000001004") + "sv_gravity" + '\0';
        QTest::newRow("high bytes")
            << QByteArray("\xe1\xff") << QByteArray::fromHex("8000000804e1ff00");
        // The longest name a reply can carry fills the buffer; the length byte keeps its low bits.
        QTest::newRow("longest") << QByteArray(250, 'r')
                                 << QByteArray::fromHex("8000000004") + QByteArray(250, 'r') + '\0';
    }
    void RuleInfoRequest() {
        QFETCH(QByteArray, previous);
        QFETCH(QByteArray, expected);
        PacketBuffer buffer;
        // A longer earlier message must not leak into the request.
        Receive(buffer, QByteArray(256, 'x'));
        const int n = buffer.BuildRuleInfoRequest(previous.toStdString());
        QCOMPARE(Sent(buffer, n), expected);
    }

    void ClearLeavesTheTail() {
        PacketBuffer buffer;
        Receive(buffer, QByteArray(256, 'x'));
        buffer.ClearPacketBuffer();
        QCOMPARE(Sent(buffer, 64), QByteArray(64, '\0'));
        QCOMPARE(Sent(buffer, 256).mid(64), QByteArray(192, 'x'));
    }

    void ServerInfo_data() {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QByteArray>("address");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("map");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("max");
        const QByteArray texts = Text("1.2.3.4:26000") + Text("My Server") + Text("e1m1");
        QTest::newRow("well formed")
            << ServerInfoReply(texts + "\x03\x10\x03") << QByteArray("1.2.3.4:26000")
            << QByteArray("My Server") << QByteArray("e1m1") << 3 << 16;
        QTest::newRow("extra bytes before the counts")
            << ServerInfoReply(texts + "junk" + "\x05\x08\x03") << QByteArray("1.2.3.4:26000")
            << QByteArray("My Server") << QByteArray("e1m1") << 5 << 8;
        QTest::newRow("high bytes")
            << ServerInfoReply(Text("a") + Text("\xc8\xe9") + Text("\x90") + "\xff\xfe\x03")
            << QByteArray("a") << QByteArray("\xc8\xe9") << QByteArray("\x90") << 255 << 254;
        QTest::newRow("long name cut to its field")
            << ServerInfoReply(Text("a") + Text(QByteArray(100, 'n')) + Text("m") + "\x01\x02\x03")
            << QByteArray("a") << QByteArray(63, 'n') << QByteArray("m") << 1 << 2;
        QTest::newRow("counts missing") << ServerInfoReply(Text("a") + Text("b")) << QByteArray("a")
                                        << QByteArray("b") << QByteArray() << 0 << 0;
        QTest::newRow("name unterminated") << ServerInfoReply(Text("a") + "bcd") << QByteArray("a")
                                           << QByteArray("bcd") << QByteArray() << 0 << 0;
        QTest::newRow("code only")
            << Header('\x83') << QByteArray() << QByteArray() << QByteArray() << 0 << 0;
        QTest::newRow("oversized")
            << ServerInfoReply(Text("a") + Text("b") + QByteArray(400, 'm')) << QByteArray("a")
            << QByteArray("b") << QByteArray(63, 'm') << int('m') << int('m');
    }
    void ServerInfo() {
        QFETCH(QByteArray, datagram);
        QFETCH(QByteArray, address);
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, map);
        QFETCH(int, current);
        QFETCH(int, max);
        PacketBuffer buffer;
        Receive(buffer, datagram);
        const ::ServerInfo info = buffer.ParseServerInfo(buffer.ReceivedLength());
        QCOMPARE(Bytes(info.address), address);
        QCOMPARE(Bytes(info.name), name);
        QCOMPARE(Bytes(info.map), map);
        QCOMPARE(int(info.currentPlayers), current);
        QCOMPARE(int(info.maxPlayers), max);
    }

    void PlayerInfo_data() {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<int>("number");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("shirt");
        QTest::addColumn<int>("pants");
        QTest::addColumn<int>("frags");
        QTest::addColumn<int>("connectTime");
        QTest::addColumn<QByteArray>("address");
        const QByteArray body = Int32(0x0000004D) + Int32(-3) + Int32(125) + Text("10.0.0.2:27001");
        QTest::newRow("well formed")
            << Header('\x84') + '\x02' + Text("Ranger") + body << 2 << QByteArray("Ranger") << 4
            << 13 << -3 << 125 << QByteArray("10.0.0.2:27001");
        QTest::newRow("garbage header")
            << QByteArray::fromHex("deadbe") + QByteArray("\xef\x84\x07", 3) + Text("x") + body << 7
            << QByteArray("x") << 4 << 13 << -3 << 125 << QByteArray("10.0.0.2:27001");
        // A name longer than its field is cut, and the fields after it are still found.
        QTest::newRow("long name")
            << Header('\x84') + '\x01' + Text(QByteArray(80, 'q')) + body << 1
            << QByteArray(51, 'q') << 4 << 13 << -3 << 125 << QByteArray("10.0.0.2:27001");
        QTest::newRow("cut after the name")
            << Header('\x84') + '\x03' + Text("abc") + "\x4d\xff" << 3 << QByteArray("abc") << 4
            << 13 << 0 << 0 << QByteArray();
        QTest::newRow("name unterminated") << Header('\x84') + '\x09' + "abc" << 9
                                           << QByteArray("abc") << 0 << 0 << 0 << 0 << QByteArray();
        QTest::newRow("code only")
            << Header('\x84') << 0 << QByteArray() << 0 << 0 << 0 << 0 << QByteArray();
    }
    void PlayerInfo() {
        QFETCH(QByteArray, datagram);
        QFETCH(int, number);
        QFETCH(QByteArray, name);
        QFETCH(int, shirt);
        QFETCH(int, pants);
        QFETCH(int, frags);
        QFETCH(int, connectTime);
        QFETCH(QByteArray, address);
        PacketBuffer buffer;
        // An earlier, longer message in the tail must never show through a short reply.
        Receive(buffer, QByteArray(256, '\x7f'));
        Receive(buffer, datagram);
        const ::PlayerInfo info = buffer.ParsePlayerInfo();
        QCOMPARE(int(info.number), number);
        QCOMPARE(Bytes(info.name), name);
        QCOMPARE(int(info.shirt), shirt);
        QCOMPARE(int(info.pants), pants);
        QCOMPARE(info.frags, frags);
        QCOMPARE(info.connectTime, connectTime);
        QCOMPARE(Bytes(info.address), address);
    }

    void RuleInfo_data() {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("rule") << Header('\x85') + Text("sv_gravity") + Text("800")
                              << QByteArray("sv_gravity") << QByteArray("800");
        QTest::newRow("end of rules") << Header('\x85') << QByteArray() << QByteArray();
        QTest::newRow("value unterminated") << Header('\x85') + Text("fraglimit") + "20"
                                            << QByteArray("fraglimit") << QByteArray("20");
        QTest::newRow("name fills the datagram")
            << Header('\x85') + QByteArray(300, 'r') << QByteArray(250, 'r') << QByteArray();
        QTest::newRow("sixty characters") << Header('\x85') + Text(QByteArray(60, 'z')) + Text("1")
                                          << QByteArray(60, 'z') << QByteArray("1");
    }
    void RuleInfo() {
        QFETCH(QByteArray, datagram);
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, value);
        PacketBuffer buffer;
        Receive(buffer, QByteArray(256, '\x7f'));
        Receive(buffer, datagram);
        RuleName currentRuleName("stale");
        const RuleValue parsed = buffer.ParseRuleInfo(currentRuleName);
        QCOMPARE(Bytes(currentRuleName), name);
        QCOMPARE(Bytes(parsed), value);
    }

    void FailedReceiveReadsAsNothing() {
        PacketBuffer buffer;
        buffer.ClearPacketBuffer();
        buffer.SetReceivedLength(-1);
        QCOMPARE(buffer.ReceivedLength(), 0);
        QCOMPARE(int(buffer.ReplyCode()), 0);
    }
};

VANTREL_TEST(TestWireFormat)
#include "TestWireFormat.moc"
