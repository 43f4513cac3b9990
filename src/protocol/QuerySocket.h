#pragma once

#include "TimeStamp.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QObject>
#include <QString>
#include <QUdpSocket>
#include <string_view>
#include <vector>

class PacketBuffer;
class ReplySink;

// IPv4 when the host has it, else its first address (null when it has none).
QHostAddress PreferredAddress(const QList<QHostAddress>& addresses);

// The program's one UDP endpoint for a query: sends the requests built in the PacketBuffer to the
// server, hands every reply from that server to the owner by its code byte, and times the ping.
//
// The host is looked up once per query, without blocking; requests sent meanwhile wait and go out
// in order once the address is known. Only datagrams from that address and port are taken in,
// as the game's own client does, so nobody else can feed names into the console scripts.
class QuerySocket : public QObject {
    Q_OBJECT

public:
    explicit QuerySocket(PacketBuffer& buffer, const Clock& clock = SteadyClock::Instance(),
                         QObject* parent = nullptr);
    ~QuerySocket() override;

    bool Create();
    bool IsOpen() const;
    quint16 LocalPort() const;
    void SetOwner(ReplySink* replySink) { owner = replySink; }

    // Sets the destination and starts its lookup when it is a name.
    void SetTarget(const QString& host, quint16 port);
    const QString& TargetHost() const { return targetHost; }
    quint16 TargetPort() const { return targetPort; }

    bool SendServerInfoRequest();
    bool SendPlayerInfoRequests(int count);
    // An empty name asks for the first rule.
    bool SendRuleInfoRequest(std::string_view previousName);

    void RearmPing();
    bool PingMeasured() const { return pingMeasured; }
    const TimeStamp& Elapsed() const { return elapsed; }

    void OnReceive();

signals:
    // The target's name could not be looked up; the requests waiting for it are dropped.
    void HostNotFound();

private:
    enum class Lookup { None, Pending, Resolved, Failed };

    void Send(int length, bool isServerInfoRequest);
    void Transmit(const char* data, qint64 length, bool isServerInfoRequest);
    void OnLookedUp(const QHostInfo& info);
    bool FromTarget(const QHostAddress& sender, quint16 senderPort) const;

    struct Waiting {
        QByteArray datagram;
        bool isServerInfoRequest;
    };

    PacketBuffer& buffer;
    const Clock& clock;
    QUdpSocket socket;
    ReplySink* owner = nullptr;

    TimeStamp elapsed;
    bool pingMeasured = false;
    TimeStamp receiveTime;
    TimeStamp sendTime;
    bool pingPending = true;

    QString targetHost;
    quint16 targetPort = 0;
    QHostAddress targetAddress;
    Lookup lookup = Lookup::None;
    int lookupId = -1;
    std::vector<Waiting> waiting;
};
