#include "StandInFarm.h"

#include "DemoConfig.h"
#include "OpenFileLimit.h"
#include "QuakeServerStandIn.h"

#include <QCoreApplication>
#include <QNetworkDatagram>
#include <cstdio>

namespace {

constexpr int MostPopulatedPlayers = 16;

bool IsSilent(const FarmOptions& options, int index) {
    return options.silentEvery > 0 && (index + 1) % options.silentEvery == 0;
}

// Whether the answering-th answering server is one of the populated ones: they are spread evenly.
bool IsPopulated(int answering, int answeringCount, int populated) {
    return qint64(answering) * populated / answeringCount !=
           qint64(answering + 1) * populated / answeringCount;
}

// A server behind a firewall: it has a socket and reads what comes, but answers nothing.
bool StartSilent(const FarmOptions& options, quint16 port, QTextStream& out) {
    auto* socket = new QUdpSocket(qApp);
    if (!options.behaviour.quiet) {
        QObject::connect(socket, &QUdpSocket::readyRead, socket, [socket, port, &out] {
            while (socket->hasPendingDatagrams()) {
                const QNetworkDatagram request = socket->receiveDatagram();
                PrintRequest(out, QByteArray::number(port) + " < ", request.senderAddress(),
                             quint16(request.senderPort()), request.data());
            }
        });
    }
    return socket->bind(options.address, port);
}

int Fail(const QString& message) {
    std::fprintf(stderr, "vantrel-standin: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int ServeMany(const FarmOptions& options) {
    const int silent = options.silentEvery > 0 ? options.count / options.silentEvery : 0;
    const int answeringCount = options.count - silent;
    // Each answering server has two sockets, each silent one one; a few more for Qt itself.
    const qint64 needed = 2 * qint64(answeringCount) + silent + 32;
    const long limit = RaiseOpenFileLimit();
    if (limit >= 0 && needed > limit)
        return Fail(QString("%1 servers need %2 open files; the limit is %3")
                        .arg(options.count)
                        .arg(needed)
                        .arg(limit));

    QTextStream out(stdout);
    int answering = 0;
    int populatedSoFar = 0;
    qint64 players = 0;
    for (int i = 0; i < options.count; ++i) {
        const quint16 port = quint16(options.firstPort + uint(i));
        bool started = false;
        if (IsSilent(options, i)) {
            started = StartSilent(options, port, out);
        } else {
            StandInConfig config = DemoServer(i, options.ruleCount);
            if (options.populated >= 0) {
                const bool populated =
                    IsPopulated(answering, answeringCount, qMin(options.populated, answeringCount));
                const int count = populated ? 1 + (populatedSoFar++ * 7) % MostPopulatedPlayers : 0;
                config.players = DemoPlayers(count);
                config.maxPlayers = quint8(qMax(int(config.maxPlayers), count));
            }
            ++answering;
            players += config.players.size();
            auto* server = new QuakeServerStandIn(config, qApp);
            started = server->Start(options.address, port);
            Behave(*server, options.behaviour, quint32(i), out, QByteArray::number(port) + " < ");
        }
        if (!started)
            return Fail(
                QString("cannot listen on %1:%2").arg(options.address.toString()).arg(port));
    }
    out << "vantrel-standin listening on " << options.address.toString() << ':' << options.firstPort
        << '-' << options.firstPort + uint(options.count) - 1 << " with " << options.count
        << " servers, " << silent << " of them silent, " << players << " players" << Qt::endl;
    return QCoreApplication::exec();
}
