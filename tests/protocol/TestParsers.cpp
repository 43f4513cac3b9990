#include "MasterList.h"
#include "PacketBuffer.h"
#include "ServerInfoReply.h"
#include "StatusReply.h"
#include "TestRegistry.h"

#include <QTest>
#include <QtEndian>
#include <cstring>

namespace {

template <std::size_t N> QByteArray Bytes(const FixedText<N>& text) {
    return QByteArray(text.Data(), qsizetype(text.Length()));
}

QByteArray Fields(const ServerInfo& s) {
    return Bytes(s.address) + '|' + Bytes(s.name) + '|' + Bytes(s.map) + '|' +
           QByteArray::number(s.currentPlayers) + '|' + QByteArray::number(s.maxPlayers);
}

// A reply as its parser reads it, the fields joined by '|'. It is received the way the socket
// does it, after an earlier, longer message whose tail must never show through.
QByteArray Parsed(const QByteArray& datagram) {
    PacketBuffer buffer;
    for (const QByteArray& received : {QByteArray(256, '\x7f'), datagram}) {
        buffer.ClearPacketBuffer();
        std::memcpy(buffer.ReceiveArea(), received.constData(),
                    std::min<size_t>(received.size(), PacketBuffer::Size));
        buffer.SetReceivedLength(received.size());
    }
    const auto n = [](int value) {
        return '|' + QByteArray::number(value);
    };
    if (buffer.ReplyCode() == Wire::CCREP_SERVER_INFO)
        return Fields(buffer.ParseServerInfo(buffer.ReceivedLength()));
    if (buffer.ReplyCode() == Wire::CCREP_PLAYER_INFO) {
        const PlayerInfo p = buffer.ParsePlayerInfo();
        return QByteArray::number(p.number) + '|' + Bytes(p.name) + n(p.shirt) + n(p.pants) +
               n(p.frags) + n(p.connectTime) + '|' + Bytes(p.address);
    }
    RuleName name("stale");
    const RuleValue value = buffer.ParseRuleInfo(name);
    return Bytes(name) + '|' + Bytes(value);
}

QByteArray Header(char code) {
    return QByteArray::fromHex("80000000") + code;
}

QByteArray Text(const QByteArray& text) {
    return text + '\0';
}

const QByteArray Ext("\xFF\xFF\xFF\xFFgetserversExtResponse");
const QByteArray Plain("\xFF\xFF\xFF\xFFgetserversResponse");
const QByteArray End("\\EOT\0\0\0", 7);

// One entry as a master sends it: IPv4 after '\', IPv6 after '/'.
QByteArray Entry(const char* address, quint16 port = 26000) {
    const QHostAddress a(QString::fromLatin1(address));
    const bool ipv4 = a.protocol() == QAbstractSocket::IPv4Protocol;
    // An IPv4 address as IPv6 is the mapped one, whose last four bytes are the IPv4 address.
    const Q_IPV6ADDR six = a.toIPv6Address();
    QByteArray bytes = QByteArray(reinterpret_cast<const char*>(six.c), 16).right(ipv4 ? 4 : 16);
    bytes.resize(bytes.size() + 2);
    qToBigEndian(port, bytes.data() + bytes.size() - 2);
    return (ipv4 ? '\\' : '/') + bytes;
}

// A status answer as read: "none", or its kind, its pairs and its players, one a line.
QByteArray Read(const QByteArray& datagram) {
    const std::optional<StatusReply> reply = ParseStatusReply(datagram);
    if (!reply)
        return "none";
    QByteArray read = reply->withPlayers ? "status" : "info";
    for (const auto& [key, value] : reply->info)
        read += ' ' + key + '=' + value;
    for (const ServerPlayer& p : reply->players)
        read += '\n' + p.name + '|' + QByteArray::number(p.frags) + '|' +
                (p.pingMs ? QByteArray::number(*p.pingMs) : "-") + '|' +
                QByteArray::number(p.shirt) + '_' + QByteArray::number(p.pants);
    return read;
}

const QByteArray Status("\xFF\xFF\xFF\xFFstatusResponse");

} // namespace

class TestParsers : public QObject {
    Q_OBJECT

private slots:
    // The longest name a reply can carry fills the buffer; the length byte keeps its low bits.
    void LongestRuleRequest() {
        PacketBuffer buffer;
        const int n = buffer.BuildRuleInfoRequest(std::string(300, 'r'));
        QCOMPARE(QByteArray(buffer.ReceiveArea(), n),
                 QByteArray::fromHex("8000000004") + QByteArray(250, 'r') + '\0');
    }

    void Replies_data() {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QByteArray>("parsed");
        // A server-info reply as the browser reads it from its own bytes: nothing unless whole.
        QTest::addColumn<QByteArray>("whole");
        const auto row = [](const char* tag, char code, const QByteArray& body,
                            const QByteArray& parsed, const QByteArray& whole = {},
                            int lengthError = 0) {
            QByteArray datagram = Header(code) + body;
            qToBigEndian(quint16(datagram.size() + lengthError), datagram.data() + 2);
            QTest::newRow(tag) << datagram << parsed << whole;
        };
        row("extra bytes before the counts", '\x83',
            Text("1.2.3.4:26000") + Text("My Server") + Text("e1m1") + "junk\x05\x08\x03",
            "1.2.3.4:26000|My Server|e1m1|5|8");
        const QByteArray high = Text("a") + Text("\xc8\xe9") + Text("\x90") + "\xff\xfe\x03";
        row("high bytes", '\x83', high, "a|\xc8\xe9|\x90|255|254", "a|\xc8\xe9|\x90|255|254");
        row("length says one byte more", '\x83', high, "a|\xc8\xe9|\x90|255|254", {}, 1);
        row("length says one byte less", '\x83', high, "a|\xc8\xe9|\x90|255|254", {}, -1);
        row("protocol version missing", '\x83', Text("a") + Text("b") + Text("c") + "\x05\x08",
            "a|b|c|0|5");
        row("name longer than the buffer", '\x83',
            Text("a") + Text(QByteArray(300, 'n')) + Text("e2m3") + "\x05\x10\x03",
            "a|" + QByteArray(63, 'n') + "||0|0", "a|" + QByteArray(63, 'n') + "|e2m3|5|16");
        row("counts missing", '\x83', Text("a") + Text("b"), "a|b||0|0");
        row("oversized", '\x83', Text("a") + Text("b") + QByteArray(400, 'm'),
            "a|b|" + QByteArray(63, 'm') + "|109|109");

        const QByteArray body =
            QByteArray("\x4d\0\0\0\xfd\xff\xff\xff\x7d\0\0\0", 12) + Text("10.0.0.2:27001");
        // A name longer than its field is cut, and the fields after it are still found.
        row("player, long name", '\x84', '\x01' + Text(QByteArray(80, 'q')) + body,
            "1|" + QByteArray(51, 'q') + "|4|13|-3|125|10.0.0.2:27001");
        row("player, cut after the name", '\x84', '\x03' + Text("abc") + "\x4d\xff",
            "3|abc|4|13|0|0|");
        row("player, name unterminated", '\x84', "\tabc", "9|abc|0|0|0|0|");

        row("end of rules", '\x85', {}, "|");
        row("value unterminated", '\x85', Text("fraglimit") + "20", "fraglimit|20");
        row("name fills the datagram", '\x85', QByteArray(300, 'r'), QByteArray(250, 'r') + '|');
    }
    void Replies() {
        QFETCH(QByteArray, datagram);
        QTEST(Parsed(datagram), "parsed");
        const std::optional<ServerInfo> whole = ParseServerInfoReply(datagram);
        QTEST(whole ? Fields(*whole) : QByteArray(), "whole");
    }

    void MasterAnswers_data() {
        QTest::addColumn<QList<QByteArray>>("datagrams");
        QTest::addColumn<bool>("localMaster");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<bool>("complete");

        const QByteArray a = Entry("198.51.100.1"), b = Entry("198.51.100.2", 26001);
        const QStringList ab{"198.51.100.1:26000", "198.51.100.2:26001"};
        const QStringList onlyA{ab[0]};
        // Older answers, lists over several datagrams and a missing end mark are met in the
        // exchanges with the stand-in master.
        QTest::newRow("IPv6 entries") << QList{Ext + Entry("2001:db8::7", 27500) + a + End} << false
                                      << QStringList{"[2001:db8::7]:27500", ab[0]} << true;
        QTest::newRow("IPv4-mapped IPv6 merged with its IPv4")
            << QList{Ext + Entry("::ffff:198.51.100.1") + a + End} << false << onlyA << true;
        QTest::newRow("IPv6 in an older answer ends it")
            << QList{Plain + a + Entry("2001:db8::7") + b + End} << false << onlyA << false;
        QTest::newRow("truncated IPv4 entry")
            << QList{Ext + a + b.left(4), Ext + b + End} << false << ab << true;
        QTest::newRow("truncated IPv6 entry")
            << QList{Ext + a + Entry("2001:db8::7").left(18)} << false << onlyA << false;
        QTest::newRow("truncated end mark")
            << QList{Ext + a + End.left(6)} << false << onlyA << false;
        QTest::newRow("garbage ends the datagram")
            << QList{Ext + a + "garbage" + b + End} << false << onlyA << false;
        QTest::newRow("no header") << QList{QByteArray("garbage") + a + End,
                                            "\xFF\xFF\xFF\xFFgetservers" + a + End, Ext.left(10)}
                                   << false << QStringList{} << false;
        QTest::newRow("unusable addresses skipped")
            << QList{Ext + Entry("0.0.0.0") + Entry("0.1.2.3") + Entry("198.51.100.3", 0) +
                     Entry("224.0.0.1") + Entry("239.255.255.250") + Entry("255.255.255.255") +
                     Entry("::") + Entry("ff02::1") + Entry("::ffff:0.0.0.0") + a + End}
            << true << onlyA << true;
        const QByteArray local = Entry("127.0.0.1") + Entry("10.1.2.3") + Entry("172.16.0.1") +
                                 Entry("192.168.1.1") + Entry("169.254.1.1") + Entry("100.64.0.1") +
                                 Entry("::1") + Entry("fe80::1") + Entry("fd00::1") +
                                 Entry("::ffff:192.168.0.1");
        QTest::newRow("local servers from a public master")
            << QList{Ext + local + a + End} << false << onlyA << true;
        QTest::newRow("local servers from a local master")
            << QList{Ext + local + End} << true
            << QStringList{"127.0.0.1:26000",   "10.1.2.3:26000",    "172.16.0.1:26000",
                           "192.168.1.1:26000", "169.254.1.1:26000", "100.64.0.1:26000",
                           "[::1]:26000",       "[fe80::1]:26000",   "[fd00::1]:26000",
                           "192.168.0.1:26000"}
            << true;
        // 69.79.84.1 starts with the bytes of the end mark.
        QTest::newRow("a datagram after the end mark")
            << QList{Ext + a + End + b, Ext + Entry("69.79.84.1")} << false
            << QStringList{ab[0], "69.79.84.1:26000"} << true;
        // FTE's master: 36 bytes for one server, and no zero bytes after the end mark.
        QTest::newRow("FTE's end") << QList{Ext + a + "\\EOT"} << false << onlyA << true;
        QTest::newRow("FTE's empty list") << QList{Ext + "\\EOT"} << false << QStringList{} << true;
    }
    void MasterAnswers() {
        QFETCH(QList<QByteArray>, datagrams);
        QFETCH(bool, localMaster);
        QFETCH(QStringList, listed);
        MasterList list(localMaster);
        QStringList added;
        for (const QByteArray& d : datagrams) {
            for (const Endpoint& server : list.Feed(d).added)
                added << server.ToString();
        }
        QCOMPARE(added, listed);
        QCOMPARE(list.Count(), listed.size());
        QTEST(list.Complete(), "complete");
    }

    void StatusAnswers_data() {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QByteArray>("read");
        const QByteArray qss = "\\protocol\\3\\ver\\QuakeSpasm-Spiked 0.96.3\\nqprotocol\\666"
                               "\\modname\\ctf\\mapname\\e1m2\\hostname\\Q\\clients\\2";
        const QByteArray qssRead = " protocol=3 ver=QuakeSpasm-Spiked 0.96.3 nqprotocol=666 "
                                   "modname=ctf mapname=e1m2 hostname=Q clients=2";
        QTest::newRow("QuakeSpasm-Spiked")
            << Status + qss + "\n12 48 4_13 \"Alice\"\n-3 0 0_0 \"B\""
            << "status" + qssRead + "\nAlice|12|48|13_4\nB|-3|0|0_0";
        QTest::newRow("QuakeSpasm-Spiked, info")
            << "\xFF\xFF\xFF\xFFinfoResponse\n" + qss << "info" + qssRead;
        QTest::newRow("DarkPlaces")
            << Status + "\n\\mapname\\dm4\n5 30 \"Carl\"\n7 0 1 \"Dana\"\n"
            << QByteArray("status mapname=dm4\nCarl|5|30|-1_-1\nDana|7|0|-1_-1");
        QTest::newRow("FTE, team and a zero at the end")
            << Status + "\n\\hostname\\F\n3 25 \"blue\" \"Eve\"\n" + '\0' + "\n1 1 \"X\""
            << QByteArray("status hostname=F\nEve|3|25|-1_-1");
        QTest::newRow("quotes, backslashes and high bytes in names")
            << Status + "\n\n1 2 \"a\"b\"\n1 2 \"c\" d\"\n1 2 \"\\e\\\xe5\xff\"\n-1 -1 \"\""
            << QByteArray(
                   "status\na\"b|1|2|-1_-1\nc\" d|1|2|-1_-1\n\\e\\\xe5\xff|1|2|-1_-1\n|-1|-|-1_-1");
        QTest::newRow("lines that do not parse")
            << Status +
                   "\n1 2 \"Ali\nce\"\nx 2 \"a\"\n1 2 b\n1 2 \"c\" x\n\"d\"\n99999999999 1 \"e\"\n"
                   "1 2 3_x \"f\"\n1 2 16_-1 \"g\""
            << QByteArray("status\ng|1|2|-1_-1");
        QTest::newRow("keys without values")
            << Status + "\\a\\\\b\\2\\\\3\\c" << QByteArray("status b=2");
        QTest::newRow("a long name is cut") << Status + "\n\n1 2 \"" + QByteArray(300, 'n') + '"'
                                            << "status\n" + QByteArray(64, 'n') + "|1|2|-1_-1";
        // At most 255 player lines are read, whether they parse or not.
        QTest::newRow("300 players") << Status + QByteArray("\n1 2 \"p\"").repeated(300)
                                     << "status" + QByteArray("\np|1|2|-1_-1").repeated(255);
        QTest::newRow("300 players after a bad line")
            << Status + "\n\nx" + QByteArray("\n1 2 \"p\"").repeated(300)
            << "status" + QByteArray("\np|1|2|-1_-1").repeated(254);
        QTest::newRow("not a status answer") << Status.left(12) << QByteArray("none");
        QTest::newRow("header run on") << Status + "X\\a\\b" << QByteArray("none");
        QTest::newRow("no prefix") << Status.mid(4) << QByteArray("none");
    }
    void StatusAnswers() {
        QFETCH(QByteArray, datagram);
        QTEST(Read(datagram), "read");
    }

    // One end mark per game asked; a slow master may answer both requests, each fully.
    void EndMarksPerGame() {
        MasterList list(false, 2);
        list.Feed(Ext + Entry("198.51.100.1") + End);
        QVERIFY(list.Feed(Plain + Entry("198.51.100.1") + End).added.isEmpty() && !list.Complete());
        QCOMPARE(list.Feed(Ext + Entry("198.51.100.2") + End).added.size(), 1);
        QVERIFY(list.Complete());
    }

    // Whatever a master sends, it lists at most MaxServers servers, and reaching them ends it.
    void BoundOfServers() {
        MasterList list;
        QByteArray datagram = Ext;
        for (int port = 2; port < MasterList::MaxServers + 100; ++port)
            datagram += Entry("198.51.100.1", quint16(port)) + Entry("198.51.100.1", 1);
        QCOMPARE(list.Feed(datagram).added.size(), MasterList::MaxServers);
        QVERIFY(list.Complete() && list.Feed(Ext + Entry("198.51.100.2")).added.isEmpty());
    }
};

VANTREL_TEST(TestParsers)
#include "TestParsers.moc"
