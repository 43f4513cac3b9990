#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QTextStream>

class QuakeServerStandIn;

// How the vantrel-standin program's servers behave beyond their texts, one server or a farm.
struct ServerBehaviour {
    // A plain NetQuake server (Quakespasm): no answer to getinfo and getstatus.
    bool plain = false;
    // A player joins or leaves every so many seconds; 0: the players stay.
    int churnSeconds = 0;
    // Status requests get the hostile answers in turn.
    bool hostileStatus = false;
    // Each reply is held this long and reported as "held PORT CLIENT MS": how long after its
    // request arrived it went out, for benchmarks that compare a client's ping with it.
    int holdMs = 0;
    // Without it, each request is printed as "PREFIXADDRESS:PORT HEX".
    bool quiet = false;
};

// A request as the program prints it: "PREFIXADDRESS:PORT HEX".
void PrintRequest(QTextStream& out, const QByteArray& prefix, const QHostAddress& sender,
                  quint16 senderPort, const QByteArray& request);

// Gives the server its behaviour; seed makes each server's churn its own.
void Behave(QuakeServerStandIn& server, const ServerBehaviour& behaviour, quint32 seed,
            QTextStream& out, const QByteArray& prefix);
