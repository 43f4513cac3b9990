#include "Notifications.h"

#include "NoticeSender.h"
#include "ProcessAlive.h"

Notifications::Notifications(NoticeSender* desktop, NoticeSender& tray, QObject* parent)
    : QObject(parent), desktop(desktop), tray(tray) {
    gameCheck.setInterval(GameCheckMs);
    connect(&gameCheck, &QTimer::timeout, this, &Notifications::OnTick);
    for (NoticeSender* sender : {desktop, &tray})
        if (sender)
            connect(sender, &NoticeSender::Chosen, this, &Notifications::Chosen);
    if (desktop)
        connect(desktop, &NoticeSender::Unsent, &tray, &NoticeSender::Send);
}

void Notifications::Notify(const Notice& notice) {
    if (paused)
        return;
    held.append(notice);
    if (!GameRunning()) {
        OnTick();
        return;
    }
    if (held.size() > HeldKept)
        held.removeFirst();
    gameCheck.start();
}

void Notifications::GameStarted(qint64 pid) {
    game = pid;
}

void Notifications::SetPaused(bool pause) {
    paused = pause;
    if (paused)
        held.clear();
}

void Notifications::OnTick() {
    if (GameRunning())
        return;
    gameCheck.stop();
    if (held.isEmpty())
        return;
    Show(FoldNotices(held));
    held.clear();
}

bool Notifications::GameRunning() {
    if (game && !ProcessAlive(*game))
        game.reset();
    return game.has_value();
}

void Notifications::Show(const Notice& notice) {
    if (desktop)
        desktop->Send(notice);
    else
        tray.Send(notice);
}

Notice FoldNotices(const QList<Notice>& notices) {
    if (notices.size() == 1)
        return notices.first();
    QStringList lines;
    for (const Notice& notice : notices)
        if (!lines.contains(notice.summary))
            lines << notice.summary;
    return {notices.last().server, QStringLiteral("While you played"), lines.join(u'\n')};
}
