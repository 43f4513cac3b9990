#pragma once

#include <QByteArrayList>
#include <QHostAddress>
#include <QList>
#include <QNetworkDatagram>
#include <QUdpSocket>

// A bare UDP client on loopback that keeps every datagram it receives, with the sender's port.
class RawClient {
public:
    RawClient() {
        socket.bind(QHostAddress::LocalHost, 0);
        QObject::connect(&socket, &QUdpSocket::readyRead, [this] {
            while (socket.hasPendingDatagrams()) {
                const QNetworkDatagram datagram = socket.receiveDatagram();
                received.append(datagram.data());
                senderPorts.append(quint16(datagram.senderPort()));
            }
        });
    }

    void Send(const QByteArray& datagram, quint16 port) {
        socket.writeDatagram(datagram, QHostAddress::LocalHost, port);
    }
    quint16 Port() const { return socket.localPort(); }

    QByteArrayList received;
    QList<quint16> senderPorts;

private:
    QUdpSocket socket;
};

// Requests as a NetQuake client writes them.
inline QByteArray ServerInfoRequest() {
    return QByteArray::fromHex("8000000c025155414b450003");
}

inline QByteArray PlayerInfoRequest(int number) {
    return QByteArray::fromHex("8000000603") + char(number);
}

inline QByteArray RuleInfoRequest(const QByteArray& previousName) {
    QByteArray request = QByteArray::fromHex("80000000") + '\x04' + previousName + '\0';
    request[3] = char(request.size());
    return request;
}
