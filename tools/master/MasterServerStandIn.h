#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QUdpSocket>

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
    // Cuts the last entry of every datagram short.
    bool truncatedEntries = false;
    // Leaves out the end mark.
    bool noEndMark = false;
    // Sends a datagram of garbage before the list.
    bool garbageFirst = false;
    // Lists every entry twice.
    bool duplicates = false;
    // Adds entries with address 0.0.0.0 (and ::), entries with port 0, and multicast and
    // broadcast addresses.
    bool zeroAddresses = false;
    // Keeps sending datagrams of new made-up entries, this many datagrams, without an end mark
    // (0: off). Bounded, so that a test can never flood itself.
    int endlessDatagrams = 0;
    // The list comes from a second socket, a stranger to whoever asked.
    bool fromStranger = false;
};

// A master server of the dpmaster protocol over a real UDP socket: answers getserversExt and
// getservers for its game name with its configured list, in datagrams of at most
// EntriesPerDatagram entries, the last ending with the end mark. IPv6 entries are sent only in
// answer to getserversExt.
class MasterServerStandIn : public QObject {
    Q_OBJECT

public:
    explicit MasterServerStandIn(QObject* parent = nullptr);

    // Binds the master's socket and the stranger's.
    bool Start(const QHostAddress& address = QHostAddress::LocalHost, quint16 port = 0);
    QHostAddress Address() const;
    quint16 Port() const;

    QList<MasterEntry>& Servers();
    QByteArray& GameName();
    int& EntriesPerDatagram();
    MasterFaults& Faults();

    // Every datagram received, in order.
    const QList<QByteArray>& Requests() const;

signals:
    void RequestReceived(const QByteArray& request);

private:
    // (the implementation's own)
};
