#include "MasterServerStandIn.h"

#include "MasterMessages.h"

#include <QNetworkDatagram>

using namespace Master;

namespace {

// A few datagrams a millisecond: thousands of servers still arrive within a blink, and no
// answer outruns the receiver.
constexpr int DatagramsPerTick = 16;
constexpr int TickMs = 1;
// Whatever the faults or the number of requests, no more than this waits to be sent.
constexpr qsizetype MaxWaitingDatagrams = 8192;
constexpr int MaxEndlessDatagrams = 1000;
constexpr quint16 MadeUpPort = 26000;

QList<MasterEntry> InvalidEntries() {
    const quint16 port = 26000;
    return {{QHostAddress("0.0.0.0"), port},   {QHostAddress("127.0.0.1"), 0},
            {QHostAddress("224.0.0.1"), port}, {QHostAddress("255.255.255.255"), port},
            {QHostAddress("::"), port},        {QHostAddress("ff02::1"), port},
            {QHostAddress("::1"), 0}};
}

// The loopback address 127.a.b.c for the n-th made-up server, distinct for millions of them.
MasterEntry MadeUpEntry(quint32 n) {
    const quint32 host = 0x7f000000 | ((1 + n / 0x10000 % 254) << 16) | (n % 0x10000);
    return {QHostAddress(host), MadeUpPort};
}

QByteArray GarbageDatagram() {
    return QByteArray(Prefix) + "garbage\n";
}

} // namespace

MasterServerStandIn::MasterServerStandIn(QObject* parent) : QObject(parent) {
    connect(&socket, &QUdpSocket::readyRead, this, &MasterServerStandIn::OnReadyRead);
    sendTimer.setInterval(TickMs);
    connect(&sendTimer, &QTimer::timeout, this, &MasterServerStandIn::Send);
}

bool MasterServerStandIn::Start(const QHostAddress& address, quint16 port) {
    return socket.state() == QAbstractSocket::UnconnectedState && socket.bind(address, port) &&
           stranger.bind(address, 0);
}

QHostAddress MasterServerStandIn::Address() const {
    return socket.localAddress();
}

quint16 MasterServerStandIn::Port() const {
    return socket.localPort();
}

void MasterServerStandIn::OnReadyRead() {
    while (socket.hasPendingDatagrams()) {
        const QNetworkDatagram request = socket.receiveDatagram();
        if (request.isValid()) {
            requests.append(request.data());
            emit RequestReceived(request.data());
            Queue(request);
        }
    }
    Send();
}

void MasterServerStandIn::Queue(const QNetworkDatagram& request) {
    const std::optional<ListRequest> list = ParseListRequest(request.data());
    if (!list || faults.silent || (list->extended && faults.ignoreExtended))
        return;
    const QByteArrayList answer = Answer(*list);
    if (outgoing.size() + answer.size() > MaxWaitingDatagrams)
        return;
    for (const QByteArray& bytes : answer) {
        outgoing.append(
            {bytes, request.senderAddress(), quint16(request.senderPort()), faults.fromStranger});
    }
}

QByteArrayList MasterServerStandIn::Answer(const ListRequest& request) const {
    const int perDatagram = qMax(1, entriesPerDatagram);
    QByteArrayList entries;
    for (const MasterEntry& entry : Entries(request))
        entries.append(EncodeEntry(entry));
    if (faults.truncatedEntries) {
        for (qsizetype i = 0; i < entries.size(); ++i) {
            if ((i + 1) % perDatagram == 0 || i + 1 == entries.size())
                entries[i] = CutShort(entries[i]);
        }
    }
    const QByteArray header = AnswerHeader(request.extended);
    if (faults.shortEndMark)
        return {header + entries.join() + QByteArray("\\EOT")};
    QByteArrayList datagrams = Pack(header, entries, perDatagram);
    if (!faults.noEndMark && faults.endlessDatagrams <= 0) {
        if (faults.truncatedEntries && !entries.isEmpty())
            datagrams.append(header + EndMark());
        else
            datagrams.last().append(EndMark());
    }
    if (faults.garbageFirst)
        datagrams.prepend(GarbageDatagram());
    return datagrams;
}

QList<MasterEntry> MasterServerStandIn::Entries(const ListRequest& request) const {
    if (request.gameName != gameName || request.protocol != protocol)
        return {};
    QList<MasterEntry> listed = faults.zeroAddresses ? InvalidEntries() + servers : servers;
    if (faults.duplicates)
        listed += listed;
    const int endless = qBound(0, faults.endlessDatagrams, MaxEndlessDatagrams);
    const quint32 madeUp = quint32(endless) * quint32(qMax(1, entriesPerDatagram));
    for (quint32 n = 0; n < madeUp; ++n)
        listed.append(MadeUpEntry(n));
    listed.removeIf([&](const MasterEntry& entry) {
        const QAbstractSocket::NetworkLayerProtocol family = entry.address.protocol();
        return !(family == QAbstractSocket::IPv4Protocol && request.ipv4) &&
               !(family == QAbstractSocket::IPv6Protocol && request.ipv6);
    });
    return listed;
}

void MasterServerStandIn::Send() {
    const qsizetype count = qMin<qsizetype>(DatagramsPerTick, outgoing.size());
    for (qsizetype i = 0; i < count; ++i) {
        const Outgoing& datagram = outgoing[i];
        QUdpSocket& from = datagram.fromStranger ? stranger : socket;
        from.writeDatagram(datagram.bytes, datagram.address, datagram.port);
    }
    outgoing.remove(0, count);
    if (outgoing.isEmpty())
        sendTimer.stop();
    else if (!sendTimer.isActive())
        sendTimer.start();
}
