#pragma once

#include "Notice.h"

#include <QObject>

// One way of putting a notice on the desktop: the desktop's notification service, or the tray
// icon's message balloon.
class NoticeSender : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    virtual void Send(const Notice& notice) = 0;

signals:
    // The player picked an action of a notice this sender showed.
    void Chosen(const HostPort& server, NoticeAction action);
    // The notice could not be shown this way; another way may show it.
    void Unsent(const Notice& notice);
};
