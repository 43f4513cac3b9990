#include "QuakeServerStandIn.h"

#include "DatagramAge.h"

#include <QNetworkDatagram>
#include <QTimer>
#include <algorithm>

using namespace StandIn;

QuakeServerStandIn::QuakeServerStandIn(QObject* parent) : QObject(parent) {
    uptime.start();
    connect(&socket, &QUdpSocket::readyRead, this, &QuakeServerStandIn::OnReadyRead);
}

QuakeServerStandIn::QuakeServerStandIn(const StandInConfig& config, QObject* parent)
    : QuakeServerStandIn(parent) {
    this->config = config;
}

bool QuakeServerStandIn::Start(const QHostAddress& address, quint16 port) {
    if (socket.state() != QAbstractSocket::UnconnectedState || !socket.bind(address, port) ||
        !otherSocket.bind(address, 0))
        return false;
    StampArrivals(socket.socketDescriptor());
    return true;
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
    QList<Outgoing> batch;
    while (socket.hasPendingDatagrams()) {
        const qint64 arrivedNs =
            uptime.nsecsElapsed() - NextDatagramAgeUs(socket.socketDescriptor()) * 1000;
        const QNetworkDatagram datagram = socket.receiveDatagram();
        if (!datagram.isValid())
            continue;
        requests.append(datagram.data());
        lastSenderAddress = datagram.senderAddress();
        lastSenderPort = quint16(datagram.senderPort());
        emit RequestReceived(datagram.data());
        if (const std::optional<StatusRequest> status = ParseStatusRequest(datagram.data())) {
            if (const std::optional<QByteArray> answer = AnswerStatus(*status))
                batch.append(
                    {{*answer}, lastSenderAddress, lastSenderPort, false, true, arrivedNs});
            continue;
        }
        const std::optional<Request> request = ParseRequest(datagram.data());
        if (!request)
            continue;
        if (std::optional<Reply> reply = Answer(*request)) {
            batch.append({*reply, lastSenderAddress, lastSenderPort,
                          request->code == CcreqPlayerInfo, false, arrivedNs});
        }
    }
    if (!batch.isEmpty())
        Dispatch(batch);
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

std::optional<QByteArray> QuakeServerStandIn::AnswerStatus(const StatusRequest& request) {
    if (!config.answersStatus)
        return std::nullopt;
    if (faults.hostileStatus.isEmpty())
        return StatusAnswer(request, config);
    return HostileStatusAnswer(faults.hostileStatus[hostileAnswers++ % faults.hostileStatus.size()],
                               config);
}

void QuakeServerStandIn::Dispatch(QList<Outgoing> batch) {
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
        const QByteArray bytes =
            outgoing.isText ? outgoing.reply.bytes : Deform(outgoing.reply, faults);
        for (int copy = 0; copy < copies; ++copy) {
            if (faults.garbageFirst)
                datagrams.append(
                    {GarbageDatagram(), outgoing.address, outgoing.port, outgoing.arrivedNs});
            datagrams.append({bytes, outgoing.address, outgoing.port, outgoing.arrivedNs});
        }
    }
    QUdpSocket* from = faults.answerFromOtherSocket ? &otherSocket : &socket;
    auto send = [this, from, datagrams] {
        for (const Datagram& datagram : datagrams) {
            from->writeDatagram(datagram.bytes, datagram.address, datagram.port);
            emit ReplySent(datagram.address, datagram.port,
                           uptime.nsecsElapsed() - datagram.arrivedNs);
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
