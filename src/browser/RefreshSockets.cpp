#include "RefreshSockets.h"

#include "DatagramAge.h"

#include <QNetworkProxy>

namespace {
// Replies to hundreds of requests may arrive on loopback before the event loop reads the first;
// the system's default buffer holds too few of them.
constexpr int ReceiveBufferBytes = 1 << 20;
// The largest UDP payload: a longer datagram could only be cut.
constexpr int LargestDatagram = 65536;
} // namespace

RefreshSockets::RefreshSockets(Receiver receiver, QObject* parent)
    : QObject(parent), receiver(std::move(receiver)), buffer(LargestDatagram) {
    for (QUdpSocket* socket : {&ipv4, &ipv6}) {
        socket->setProxy(QNetworkProxy::NoProxy);
        connect(socket, &QUdpSocket::readyRead, this, [this, socket] { Read(*socket); });
    }
}

void RefreshSockets::Bind(QUdpSocket& socket, const QHostAddress& any) {
    if (!socket.bind(any, 0))
        return;
    socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, ReceiveBufferBytes);
    StampArrivals(socket.socketDescriptor());
}

bool RefreshSockets::Open() {
    Close();
    Bind(ipv4, QHostAddress(QHostAddress::AnyIPv4));
    Bind(ipv6, QHostAddress(QHostAddress::AnyIPv6));
    return ipv4.state() == QAbstractSocket::BoundState ||
           ipv6.state() == QAbstractSocket::BoundState;
}

void RefreshSockets::Close() {
    ++generation;
    ipv4.close();
    ipv6.close();
}

bool RefreshSockets::Send(const Endpoint& to, QByteArrayView datagram) {
    QUdpSocket& socket = to.address.protocol() == QAbstractSocket::IPv4Protocol ? ipv4 : ipv6;
    return socket.state() == QAbstractSocket::BoundState &&
           socket.writeDatagram(datagram.data(), datagram.size(), to.address, to.port) >= 0;
}

void RefreshSockets::Read(QUdpSocket& socket) {
    const quint64 opened = generation;
    while (generation == opened && socket.hasPendingDatagrams()) {
        QHostAddress sender;
        quint16 senderPort = 0;
        const std::int64_t ageUs = NextDatagramAgeUs(socket.socketDescriptor());
        const qint64 n =
            socket.readDatagram(buffer.data(), qint64(buffer.size()), &sender, &senderPort);
        if (n >= 0)
            receiver(Endpoint::Normalised(sender, senderPort), QByteArrayView(buffer.data(), n),
                     ageUs);
    }
}
