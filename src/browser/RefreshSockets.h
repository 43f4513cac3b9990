#pragma once

#include "Endpoint.h"

#include <QByteArrayView>
#include <QObject>
#include <QUdpSocket>
#include <cstdint>
#include <functional>
#include <vector>

// The two UDP sockets of a refresh, one per address family, through which every master and
// server is asked. Each refresh binds them afresh, so a late reply to an earlier refresh cannot
// arrive as an answer to this one. Received datagrams go to the receiver with their sender and
// how long ago they arrived, which is more than nothing when the event loop was busy meanwhile.
class RefreshSockets : public QObject {
    Q_OBJECT

public:
    using Receiver =
        std::function<void(const Endpoint& sender, QByteArrayView datagram, std::int64_t ageUs)>;

    explicit RefreshSockets(Receiver receiver, QObject* parent = nullptr);

    // False when neither family's socket could be bound.
    bool Open();
    void Close();
    // False when the address's family has no socket or the system refused the datagram.
    bool Send(const Endpoint& to, QByteArrayView datagram);

private:
    void Bind(QUdpSocket& socket, const QHostAddress& any);
    void Read(QUdpSocket& socket);

    Receiver receiver;
    QUdpSocket ipv4;
    QUdpSocket ipv6;
    std::vector<char> buffer;
    // Counts openings and closings, so that a read loop stops when the receiver closed the
    // sockets under it.
    quint64 generation = 0;
};
