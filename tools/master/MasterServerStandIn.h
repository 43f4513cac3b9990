#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QHostAddress>
#include <QList>
#include <QNetworkDatagram>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

namespace Master {
struct ListRequest;
}

// One server as a master lists it.
struct MasterEntry {
    QHostAddress address;
    quint16 port = 0;
};

// Ways the master stand-in misbehaves on purpose. All off by default; tests may change them at
// any time.
struct MasterFaults {
    // Answers only the older getservers request, not getserversExt.
    bool ignoreExtended = false;
    // Answers nothing at all.
    bool silent = false;
    // Cuts the last entry of every datagram short; the end mark then comes in a datagram of its
    // own, so that it is never read as part of the cut entry.
    bool truncatedEntries = false;
    // Leaves out the end mark.
    bool noEndMark = false;
    // Ends its list as FTE's master does: the whole list in one datagram, ended by "\EOT" with
    // no zero bytes after it.
    bool shortEndMark = false;
    // Sends a datagram of garbage before the list.
    bool garbageFirst = false;
    // Lists every entry twice.
    bool duplicates = false;
    // Adds entries with address 0.0.0.0 (and ::), entries with port 0, and multicast and
    // broadcast addresses.
    bool zeroAddresses = false;
    // Keeps sending datagrams of new made-up entries, this many datagrams, without an end mark
    // (0: off). Bounded, so that a test can never flood itself. The made-up servers are on
    // loopback addresses (127.x.y.z, port 26000), so a client that asks them stays on this
    // machine.
    int endlessDatagrams = 0;
    // The list comes from a second socket, a stranger to whoever asked.
    bool fromStranger = false;
};

// A master server of the dpmaster protocol over a real UDP socket: answers getserversExt and
// getservers for its game name with its configured list, in datagrams of at most
// EntriesPerDatagram entries, the last ending with the end mark. IPv6 entries are sent only in
// answer to getserversExt. A request for another game or protocol gets an empty list, one it
// cannot read gets nothing, as from dpmaster. The datagrams of an answer go out a few at a time
// on the event loop, so that a long list does not overrun the receiver's socket buffer.
class MasterServerStandIn : public QObject {
    Q_OBJECT

public:
    explicit MasterServerStandIn(QObject* parent = nullptr);

    // Binds the master's socket and the stranger's.
    bool Start(const QHostAddress& address = QHostAddress::LocalHost, quint16 port = 0);
    QHostAddress Address() const;
    quint16 Port() const;

    quint16 StrangerPort() const { return stranger.localPort(); }

    QList<MasterEntry>& Servers() { return servers; }
    QByteArray& GameName() { return gameName; }
    // The protocol number its servers registered with: 3 for NetQuake.
    int& Protocol() { return protocol; }
    int& EntriesPerDatagram() { return entriesPerDatagram; }
    MasterFaults& Faults() { return faults; }

    // Every datagram received, in order.
    const QList<QByteArray>& Requests() const { return requests; }
    void ClearRequests() { requests.clear(); }

signals:
    void RequestReceived(const QByteArray& request);

private:
    struct Outgoing {
        QByteArray bytes;
        QHostAddress address;
        quint16 port = 0;
        bool fromStranger = false;
    };

    void OnReadyRead();
    // Puts the answer to one request in line to be sent.
    void Queue(const QNetworkDatagram& request);
    QByteArrayList Answer(const Master::ListRequest& request) const;
    QList<MasterEntry> Entries(const Master::ListRequest& request) const;
    void Send();

    QUdpSocket socket;
    QUdpSocket stranger;
    QTimer sendTimer;
    QList<Outgoing> outgoing;
    QList<MasterEntry> servers;
    QByteArray gameName = "FTE-Quake";
    int protocol = 3;
    // 72 IPv6 entries, header and end mark fill dpmaster's 1,400 bytes.
    int entriesPerDatagram = 72;
    MasterFaults faults;
    QList<QByteArray> requests;
};
