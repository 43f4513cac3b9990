#include "QuerySocket.h"

#include "PacketBuffer.h"
#include "ReplySink.h"

#include <QNetworkProxy>
#include <QPointer>
#include <algorithm>

QHostAddress PreferredAddress(const QList<QHostAddress>& addresses) {
    const auto ipv4 = std::find_if(addresses.begin(), addresses.end(), [](const QHostAddress& a) {
        return a.protocol() == QAbstractSocket::IPv4Protocol;
    });
    if (ipv4 != addresses.end())
        return *ipv4;
    return addresses.isEmpty() ? QHostAddress() : addresses.first();
}

QuerySocket::QuerySocket(PacketBuffer& buffer, const Clock& clock, QObject* parent)
    : QObject(parent), buffer(buffer), clock(clock), elapsed(clock.Reading()), receiveTime(elapsed),
      sendTime(elapsed) {
    // Queries go straight to the server; asking the system for a proxy at every query start
    // would only cost time.
    socket.setProxy(QNetworkProxy::NoProxy);
    connect(&socket, &QUdpSocket::readyRead, this, &QuerySocket::OnReceive);
}

QuerySocket::~QuerySocket() {
    if (lookup == Lookup::Pending)
        QHostInfo::abortHostLookup(lookupId);
}

bool QuerySocket::Create() {
    // Bound to both address families where the system has IPv6, so a host with only IPv6
    // addresses can be queried too.
    return socket.bind(QHostAddress::Any, 0) || socket.bind(QHostAddress::AnyIPv4, 0);
}

bool QuerySocket::IsOpen() const {
    return socket.state() == QAbstractSocket::BoundState;
}

quint16 QuerySocket::LocalPort() const {
    return socket.localPort();
}

void QuerySocket::SetTarget(const QString& host, quint16 port) {
    if (lookup == Lookup::Pending)
        QHostInfo::abortHostLookup(lookupId);
    waiting.clear();
    targetHost = host;
    targetPort = port;
    targetAddress.clear();
    if (targetAddress.setAddress(host)) {
        lookup = Lookup::Resolved;
        return;
    }
    lookup = Lookup::Pending;
    lookupId = QHostInfo::lookupHost(host, this, &QuerySocket::OnLookedUp);
}

void QuerySocket::OnLookedUp(const QHostInfo& info) {
    if (info.lookupId() != lookupId || lookup != Lookup::Pending)
        return;
    targetAddress = PreferredAddress(info.addresses());
    lookup = targetAddress.isNull() ? Lookup::Failed : Lookup::Resolved;
    // A failed lookup drops what waited: the query then ends by its timeout.
    std::vector<Waiting> queued;
    queued.swap(waiting);
    if (lookup == Lookup::Failed) {
        emit HostNotFound();
        return;
    }
    for (const Waiting& w : queued)
        Transmit(w.datagram.constData(), w.datagram.size(), w.isServerInfoRequest);
}

void QuerySocket::Transmit(const char* data, qint64 length, bool isServerInfoRequest) {
    socket.writeDatagram(data, length, targetAddress, targetPort);
    if (isServerInfoRequest)
        sendTime.SetSeconds(TimeStamp::Now(clock).Seconds());
}

void QuerySocket::Send(int length, bool isServerInfoRequest) {
    const char* data = buffer.ReceiveArea();
    switch (lookup) {
    case Lookup::Resolved:
        Transmit(data, length, isServerInfoRequest);
        break;
    case Lookup::Pending:
        waiting.push_back({QByteArray(data, length), isServerInfoRequest});
        break;
    case Lookup::None:
    case Lookup::Failed:
        break;
    }
}

bool QuerySocket::SendServerInfoRequest() {
    Send(buffer.BuildServerInfoRequest(), true);
    return true;
}

bool QuerySocket::SendPlayerInfoRequests(int count) {
    buffer.BeginPlayerInfoRequests();
    for (int i = 0; i < count; ++i)
        Send(buffer.BuildPlayerInfoRequest(static_cast<std::uint8_t>(i)), false);
    return true;
}

bool QuerySocket::SendRuleInfoRequest(std::string_view previousName) {
    Send(buffer.BuildRuleInfoRequest(previousName), false);
    return true;
}

void QuerySocket::RearmPing() {
    pingPending = true;
    pingMeasured = false;
}

bool QuerySocket::FromTarget(const QHostAddress& sender, quint16 senderPort) const {
    return lookup == Lookup::Resolved && senderPort == targetPort &&
           sender.isEqual(targetAddress, QHostAddress::TolerantConversion);
}

void QuerySocket::OnReceive() {
    // A handler may end up replacing this socket; stop reading as soon as it is gone.
    const QPointer<QuerySocket> alive(this);
    while (alive && socket.hasPendingDatagrams()) {
        QHostAddress sender;
        quint16 senderPort = 0;
        buffer.ClearPacketBuffer();
        const qint64 n =
            socket.readDatagram(buffer.ReceiveArea(), PacketBuffer::Size, &sender, &senderPort);
        if (n < 0 || !FromTarget(sender, senderPort))
            continue;
        buffer.SetReceivedLength(n);
        if (buffer.ReplyCode() == Wire::CCREP_SERVER_INFO && pingPending) {
            pingPending = false;
            pingMeasured = true;
            receiveTime.SetSeconds(TimeStamp::Now(clock).Seconds());
            elapsed.SetSeconds(receiveTime.Minus(sendTime.Seconds()).Seconds());
        }
        if (owner)
            DispatchReply(buffer, *owner);
    }
}
