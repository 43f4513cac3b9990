#pragma once

#include <QObject>
#include <QTimer>

class QuakeServerStandIn;

// Players joining and leaving a stand-in server: at every step one player joins or one leaves,
// never more than the server's slots nor fewer than none. The steps follow from the seed alone,
// so a run can be repeated.
class PlayerChurn : public QObject {
    Q_OBJECT

public:
    PlayerChurn(QuakeServerStandIn& server, quint32 seed, QObject* parent = nullptr);

    // Steps every interval from now on.
    void Start(int intervalMs);
    void Step();

private:
    QuakeServerStandIn& server;
    quint32 state;
    // Numbers the joining players' names, so that each comes under a name of his own.
    int joined = 0;
    QTimer timer;
};
