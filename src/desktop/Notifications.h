#pragma once

#include "Notice.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <optional>

class NoticeSender;

// Where the watch's notices go. They show through the desktop's notification service, or the
// tray where there is none or it fails. While a game the player launched still runs they are
// held, and shown folded into one once it has ended; while notifications are paused they are
// dropped, as news that is old by the time the player wants it again.
class Notifications final : public QObject {
    Q_OBJECT

public:
    // `desktop` may be null: the desktop has no notification service.
    Notifications(NoticeSender* desktop, NoticeSender& tray, QObject* parent = nullptr);

    void Notify(const Notice& notice);
    // The game launched; its notices wait until this process has ended.
    void GameStarted(qint64 pid);
    void SetPaused(bool paused);
    int Held() const { return int(held.size()); }
    // Looks whether the game has ended, and if so shows what was held while it ran.
    void OnTick();

    static constexpr int GameCheckMs = 2000;
    // A long game keeps the newest of its notices.
    static constexpr int HeldKept = 20;

signals:
    void Chosen(const HostPort& server, NoticeAction action);

private:
    bool GameRunning();
    void Show(const Notice& notice);

    NoticeSender* desktop;
    NoticeSender& tray;
    std::optional<qint64> game;
    bool paused = false;
    QList<Notice> held;
    QTimer gameCheck;
};

// The notices held during a game as one: a line for each, and the actions of the newest.
Notice FoldNotices(const QList<Notice>& notices);
