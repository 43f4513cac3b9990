#include "MasterList.h"
#include "TestRegistry.h"

#include <QTest>
#include <QtEndian>

namespace {

const QByteArray Ext("\xFF\xFF\xFF\xFFgetserversExtResponse");
const QByteArray Plain("\xFF\xFF\xFF\xFFgetserversResponse");
const QByteArray End("\\EOT\0\0\0", 7);

QByteArray Port(quint16 port) {
    QByteArray bytes(2, '\0');
    qToBigEndian(port, bytes.data());
    return bytes;
}

// One entry as a master sends it: IPv4 after '\', IPv6 after '/'.
QByteArray Entry(const char* address, quint16 port = 26000) {
    const QHostAddress a(QString::fromLatin1(address));
    if (a.protocol() == QAbstractSocket::IPv4Protocol) {
        QByteArray bytes(4, '\0');
        qToBigEndian(a.toIPv4Address(), bytes.data());
        return '\\' + bytes + Port(port);
    }
    const Q_IPV6ADDR six = a.toIPv6Address();
    return '/' + QByteArray(reinterpret_cast<const char*>(six.c), 16) + Port(port);
}

QStringList Texts(const QList<Endpoint>& servers) {
    QStringList texts;
    for (const Endpoint& s : servers)
        texts.append(s.ToString());
    return texts;
}

} // namespace

class TestMasterList : public QObject {
    Q_OBJECT

private slots:
    void Feed_data() {
        QTest::addColumn<QList<QByteArray>>("datagrams");
        QTest::addColumn<bool>("localMaster");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<bool>("complete");

        const QByteArray a = Entry("198.51.100.1"), b = Entry("198.51.100.2", 26001);
        const QStringList ab{"198.51.100.1:26000", "198.51.100.2:26001"};
        QTest::newRow("extended answer") << QList{Ext + a + b + End} << false << ab << true;
        QTest::newRow("older answer") << QList{Plain + a + b + End} << false << ab << true;
        QTest::newRow("several datagrams")
            << QList{Ext + a, Ext + b, Ext + Entry("203.0.113.9") + End} << false
            << ab + QStringList{"203.0.113.9:26000"} << true;
        QTest::newRow("no end mark") << QList{Ext + a, Ext + b} << false << ab << false;
        QTest::newRow("IPv6 entries")
            << QList{Ext + Entry("2001:db8::7", 27500) + a + End} << false
            << QStringList{"[2001:db8::7]:27500", "198.51.100.1:26000"} << true;
        QTest::newRow("IPv4-mapped IPv6 merged with its IPv4")
            << QList{Ext + Entry("::ffff:198.51.100.1") + a + End} << false
            << QStringList{"198.51.100.1:26000"} << true;
        QTest::newRow("IPv6 in an older answer ends it")
            << QList{Plain + a + Entry("2001:db8::7") + b + End} << false
            << QStringList{"198.51.100.1:26000"} << false;
        QTest::newRow("truncated IPv4 entry")
            << QList{Ext + a + b.left(4), Ext + b + End} << false << ab << true;
        QTest::newRow("truncated IPv6 entry")
            << QList{Ext + a + Entry("2001:db8::7").left(18)} << false
            << QStringList{"198.51.100.1:26000"} << false;
        QTest::newRow("truncated end mark")
            << QList{Ext + a + End.left(6)} << false << QStringList{"198.51.100.1:26000"} << false;
        QTest::newRow("garbage ends the datagram") << QList{Ext + a + "garbage" + b + End} << false
                                                   << QStringList{"198.51.100.1:26000"} << false;
        QTest::newRow("no header") << QList{QByteArray("garbage") + a + End,
                                            "\xFF\xFF\xFF\xFFgetservers" + a + End, Ext.left(10)}
                                   << false << QStringList{} << false;
        QTest::newRow("unusable addresses skipped")
            << QList{Ext + Entry("0.0.0.0") + Entry("0.1.2.3") + Entry("198.51.100.3", 0) +
                     Entry("224.0.0.1") + Entry("239.255.255.250") + Entry("255.255.255.255") +
                     Entry("::") + Entry("ff02::1") + Entry("::ffff:0.0.0.0") + a + End}
            << true << QStringList{"198.51.100.1:26000"} << true;
        QTest::newRow("duplicates merged")
            << QList{Ext + a + a + b, Ext + b + a + End} << false << ab << true;
        const QByteArray local = Entry("127.0.0.1") + Entry("10.1.2.3") + Entry("172.16.0.1") +
                                 Entry("192.168.1.1") + Entry("169.254.1.1") + Entry("100.64.0.1") +
                                 Entry("::1") + Entry("fe80::1") + Entry("fd00::1") +
                                 Entry("::ffff:192.168.0.1");
        QTest::newRow("local servers from a public master")
            << QList{Ext + local + a + End} << false << QStringList{"198.51.100.1:26000"} << true;
        QTest::newRow("local servers from a local master")
            << QList{Ext + local + End} << true
            << QStringList{"127.0.0.1:26000",   "10.1.2.3:26000",    "172.16.0.1:26000",
                           "192.168.1.1:26000", "169.254.1.1:26000", "100.64.0.1:26000",
                           "[::1]:26000",       "[fe80::1]:26000",   "[fd00::1]:26000",
                           "192.168.0.1:26000"}
            << true;
        QTest::newRow("nothing after the end mark") << QList{Ext + a + End + b, Ext + b} << false
                                                    << QStringList{"198.51.100.1:26000"} << true;
    }
    void Feed() {
        QFETCH(QList<QByteArray>, datagrams);
        QFETCH(bool, localMaster);
        QFETCH(QStringList, listed);
        QFETCH(bool, complete);
        MasterList list(localMaster);
        QList<Endpoint> added;
        for (const QByteArray& d : datagrams)
            added += list.Feed(d).added;
        QCOMPARE(Texts(added), listed);
        QCOMPARE(list.Count(), listed.size());
        QCOMPARE(list.Complete(), complete);
    }

    // One end mark per game asked; a slow master may answer both requests, each fully.
    void EndMarksPerGame() {
        MasterList list(false, 2);
        list.Feed(Ext + Entry("198.51.100.1") + End);
        list.Feed(Plain + Entry("198.51.100.1") + End);
        QVERIFY(!list.Complete());
        QCOMPARE(list.Feed(Ext + Entry("198.51.100.2") + End).added.size(), 1);
        QVERIFY(list.Complete());
    }

    // Whatever a master sends, it lists at most MaxServers servers, and reaching them ends it.
    void BoundOfServers() {
        MasterList list;
        int added = 0;
        for (int d = 0; d < 30; ++d) {
            QByteArray datagram = Ext;
            for (int i = 0; i < 200; ++i) {
                const int n = d * 200 + i;
                datagram += Entry("198.51.100.1", quint16(1 + n)) + Entry("198.51.100.1", 1);
            }
            added += int(list.Feed(datagram).added.size());
        }
        QCOMPARE(added, MasterList::MaxServers);
        QCOMPARE(list.Count(), MasterList::MaxServers);
        QVERIFY(list.Complete());
    }

    void IsLocalAddress_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("local");
        for (const char* a :
             {"127.0.0.1", "127.255.0.9", "0.0.0.0", "10.255.255.255", "172.31.255.255",
              "192.168.0.1", "100.127.255.255", "169.254.0.1", "::1", "::", "fe80::1", "febf::1",
              "fc00::1", "fdff::1", "fec0::1", "::ffff:10.0.0.1", "::ffff:127.0.0.1"})
            QTest::newRow(a) << QString::fromLatin1(a) << true;
        for (const char* a : {"8.8.8.8", "9.255.255.255", "11.0.0.0", "172.15.255.255",
                              "172.32.0.0", "192.167.255.255", "100.63.255.255", "100.128.0.0",
                              "169.253.255.255", "2001:db8::1", "2a00:1450::1", "::ffff:8.8.8.8"})
            QTest::newRow(a) << QString::fromLatin1(a) << false;
    }
    void IsLocalAddress() {
        QFETCH(QString, address);
        QFETCH(bool, local);
        QCOMPARE(::IsLocalAddress(QHostAddress(address)), local);
    }
};

VANTREL_TEST(TestMasterList)
#include "TestMasterList.moc"
