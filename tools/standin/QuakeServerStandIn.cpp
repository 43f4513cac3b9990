#include "QuakeServerStandIn.h"

#include <QNetworkDatagram>
#include <QTimer>
#include <algorithm>

using namespace StandIn;

QuakeServerStandIn::QuakeServerStandIn(QObject* parent) : QObject(parent) {
    connect(&socket, &QUdpSocket::readyRead, this, &QuakeServerStandIn::OnReadyRead);
}

QuakeServerStandIn::QuakeServerStandIn(const StandInConfig& config, QObject* parent)
    : QuakeServerStandIn(parent) {
    this->config = config;
}

bool QuakeServerStandIn::Start(const QHostAddress& address, quint16 port) {
    return socket.state() == QAbstractSocket::UnconnectedState && socket.bind(address, port) &&
           otherSocket.bind(address, 0);
}

void QuakeServerStandIn::SendRaw(const QByteArray& datagram, const QHostAddress& address,
                                 quint16 port) {
    socket.writeDatagram(datagram, address, port);
}

void QuakeServerStandIn::SendRawFromOther(const QByteArray& datagram, const QHostAddress& address,
                                          quint16 port) {
    otherSocket.writeDatagram(datagram, address, port);
}

void QuakeServerStandIn::OnReadyRead() {
    QElapsedTimer read;
    read.start();
    QList<Outgoing> batch;
    while (socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket.receiveDatagram();
        if (!datagram.isValid())
            continue;
        requests.append(datagram.data());
        lastSenderAddress = datagram.senderAddress();
        lastSenderPort = quint16(datagram.senderPort());
        emit RequestReceived(datagram.data());
        const std::optional<Request> request = ParseRequest(datagram.data());
        if (!request)
            continue;
        if (std::optional<Reply> reply = Answer(*request)) {
            batch.append(
                {*reply, lastSenderAddress, lastSenderPort, request->code == CcreqPlayerInfo});
        }
    }
    if (!batch.isEmpty())
        Dispatch(batch, read);
}

std::optional<Reply> QuakeServerStandIn::Answer(const Request& request) const {
    switch (request.code) {
    case CcreqServerInfo:
        if (faults.dropServerInfo)
            return std::nullopt;
        return ServerInfoReply(ServerAddressText(), config);
    case CcreqPlayerInfo: {
        const int number = request.playerNumber;
        if (number >= config.players.size() || faults.droppedPlayers.contains(number))
            return std::nullopt;
        return PlayerInfoReply(number, config.players[number]);
    }
    case CcreqRuleInfo: {
        const int index = RuleIndexFor(config.rules, request.previousRuleName, faults);
        if (faults.droppedRules.contains(index))
            return std::nullopt;
        return index < config.rules.size() ? RuleInfoReply(config.rules[index]) : RuleEndReply();
    }
    default:
        return std::nullopt;
    }
}

void QuakeServerStandIn::Dispatch(QList<Outgoing> batch, const QElapsedTimer& read) {
    if (faults.reversePlayerBurst) {
        QList<qsizetype> players;
        for (qsizetype i = 0; i < batch.size(); ++i) {
            if (batch[i].isPlayerReply)
                players.append(i);
        }
        for (qsizetype i = 0, j = players.size() - 1; i < j; ++i, --j)
            std::swap(batch[players[i]], batch[players[j]]);
    }
    QList<Datagram> datagrams;
    const int copies = faults.duplicate ? 2 : 1;
    for (const Outgoing& outgoing : batch) {
        const QByteArray bytes = Deform(outgoing.reply, faults);
        for (int copy = 0; copy < copies; ++copy) {
            if (faults.garbageFirst)
                datagrams.append({GarbageDatagram(), outgoing.address, outgoing.port});
            datagrams.append({bytes, outgoing.address, outgoing.port});
        }
    }
    QUdpSocket* from = faults.answerFromOtherSocket ? &otherSocket : &socket;
    auto send = [this, from, datagrams, read] {
        for (const Datagram& datagram : datagrams) {
            from->writeDatagram(datagram.bytes, datagram.address, datagram.port);
            emit ReplySent(datagram.address, datagram.port, read.nsecsElapsed());
        }
    };
    if (faults.delayMs > 0)
        QTimer::singleShot(faults.delayMs, Qt::PreciseTimer, this, send);
    else
        send();
}

QByteArray QuakeServerStandIn::ServerAddressText() const {
    if (!config.serverAddress.isEmpty())
        return config.serverAddress;
    return (socket.localAddress().toString() + ':' + QString::number(socket.localPort()))
        .toLatin1();
}
