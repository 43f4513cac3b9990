#pragma once

#include "Endpoint.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QSet>
#include <QString>

// The request that asks a master of the dpmaster protocol for the servers of one game, empty and
// full ones included: getserversExt (IPv4 and IPv6 entries) or the older getservers.
QByteArray MasterRequest(const QString& game, bool extended);

// One master's list of servers, read datagram by datagram. A datagram counts only when it starts
// with an answer's header; its entries are read up to the first bytes that are no whole entry.
// Unusable addresses (unspecified, port 0, multicast, broadcast) are dropped, and so are local
// ones unless the master itself is local. Duplicates are merged.
//
// A datagram ends at an end mark: "\\EOT\0\0\0" where an entry could start (dpmaster), or
// "\\EOT" as its last four bytes (FTE's master). The list is complete when the end mark has come
// for every game asked (counting extended and older answers apart, as a slow master may send
// both), or when it holds MaxServers. Datagrams may arrive out of order, so entries that come
// after the end marks are still taken, up to MaxServers.
class MasterList {
public:
    static constexpr int MaxServers = 4096;

    struct Fed {
        QList<Endpoint> added;
        // The datagram started with an answer's header.
        bool answer = false;
    };

    // mayListLocal: the master is on a local address itself. requests: the games it was asked for.
    explicit MasterList(bool mayListLocal = false, int requests = 1);

    Fed Feed(QByteArrayView datagram);
    bool Complete() const;
    int Count() const { return int(servers.size()); }

private:
    void Take(const Endpoint& server, Fed& fed);

    bool mayListLocal;
    int requests;
    int extendedEnds = 0;
    int plainEnds = 0;
    QSet<Endpoint> servers;
};

// Whether a master may list this server at all: no unspecified address, no port 0, no multicast
// or broadcast address, and a local address only from a local master.
bool IsListable(const Endpoint& server, bool mayListLocal);
