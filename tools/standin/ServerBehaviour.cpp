#include "ServerBehaviour.h"

#include "PlayerChurn.h"
#include "QuakeServerStandIn.h"

void PrintRequest(QTextStream& out, const QByteArray& prefix, const QHostAddress& sender,
                  quint16 senderPort, const QByteArray& request) {
    out << prefix << sender.toString() << ':' << senderPort << ' ' << request.toHex(' ')
        << Qt::endl;
}

void Behave(QuakeServerStandIn& server, const ServerBehaviour& behaviour, quint32 seed,
            QTextStream& out, const QByteArray& prefix) {
    server.Config().answersStatus = !behaviour.plain;
    if (behaviour.hostileStatus) {
        using StandIn::HostileStatus;
        server.Faults().hostileStatus = {HostileStatus::Names, HostileStatus::BrokenLines,
                                         HostileStatus::ManyPlayers,
                                         HostileStatus::KeysWithoutValues, HostileStatus::Overlong};
    }
    if (behaviour.churnSeconds > 0)
        (new PlayerChurn(server, seed, &server))->Start(behaviour.churnSeconds * 1000);
    if (behaviour.holdMs > 0) {
        server.Faults().delayMs = behaviour.holdMs;
        QObject::connect(&server, &QuakeServerStandIn::ReplySent,
                         [&server, &out](const QHostAddress& address, quint16 port, qint64 heldNs) {
                             out << "held " << server.Port() << ' ' << address.toString() << ':'
                                 << port << ' ' << QString::number(heldNs / 1e6, 'f', 3)
                                 << Qt::endl;
                         });
    }
    if (!behaviour.quiet) {
        QObject::connect(&server, &QuakeServerStandIn::RequestReceived,
                         [&server, &out, prefix](const QByteArray& request) {
                             PrintRequest(out, prefix, server.LastSenderAddress(),
                                          server.LastSenderPort(), request);
                         });
    }
}
