#pragma once

#include "ControlMessages.h"
#include "StandInConfig.h"
#include "StandInFaults.h"
#include "StatusMessages.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QUdpSocket>
#include <optional>

// A NetQuake server's side of the connectionless control messages, over a real UDP socket:
// server info, player info by player number, and the rules walked by the previous rule's name;
// with config.answersStatus also the master protocol's getinfo and getstatus.
// Configuration and faults are read at every request, so tests may change them while it runs.
class QuakeServerStandIn : public QObject {
    Q_OBJECT

public:
    explicit QuakeServerStandIn(QObject* parent = nullptr);
    explicit QuakeServerStandIn(const StandInConfig& config, QObject* parent = nullptr);

    // Binds the server socket and the second socket used to answer from elsewhere.
    bool Start(const QHostAddress& address = QHostAddress::LocalHost, quint16 port = 0);
    QHostAddress Address() const { return socket.localAddress(); }
    quint16 Port() const { return socket.localPort(); }
    quint16 OtherPort() const { return otherSocket.localPort(); }

    StandInConfig& Config() { return config; }
    const StandInConfig& Config() const { return config; }
    StandInFaults& Faults() { return faults; }
    const StandInFaults& Faults() const { return faults; }

    // Every datagram received, in order, malformed ones included.
    const QList<QByteArray>& Requests() const { return requests; }
    void ClearRequests() { requests.clear(); }
    QHostAddress LastSenderAddress() const { return lastSenderAddress; }
    quint16 LastSenderPort() const { return lastSenderPort; }

    void SendRaw(const QByteArray& datagram, const QHostAddress& address, quint16 port);
    void SendRawFromOther(const QByteArray& datagram, const QHostAddress& address, quint16 port);

signals:
    void RequestReceived(const QByteArray& request);
    // A reply went out heldNs after its request arrived (faults.delayMs holds it on purpose).
    void ReplySent(const QHostAddress& address, quint16 port, qint64 heldNs);

private:
    struct Outgoing {
        StandIn::Reply reply;
        QHostAddress address;
        quint16 port = 0;
        bool isPlayerReply = false;
        // A text answer of the master protocol, which the control messages' faults leave whole.
        bool isText = false;
        qint64 arrivedNs = 0;
    };
    struct Datagram {
        QByteArray bytes;
        QHostAddress address;
        quint16 port = 0;
        qint64 arrivedNs = 0;
    };

    void OnReadyRead();
    std::optional<StandIn::Reply> Answer(const StandIn::Request& request) const;
    std::optional<QByteArray> AnswerStatus(const StandIn::StatusRequest& request);
    void Dispatch(QList<Outgoing> batch);
    QByteArray ServerAddressText() const;

    StandInConfig config;
    StandInFaults faults;
    QUdpSocket socket;
    QUdpSocket otherSocket;
    // Times arrivals and replies.
    QElapsedTimer uptime;
    QList<QByteArray> requests;
    // Status requests answered with a hostile answer, to take faults.hostileStatus in turn.
    qsizetype hostileAnswers = 0;
    QHostAddress lastSenderAddress;
    quint16 lastSenderPort = 0;
};
