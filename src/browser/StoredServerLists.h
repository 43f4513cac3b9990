#pragma once

#include "ServerLists.h"

#include <QObject>
#include <functional>

class QSettings;

// The browser's lists as the program keeps them. Each change is written at once, so that a crash
// loses none, to the lists as the store holds them then, so that another copy's changes stay.
// Lists written by a later version are read-only: they show as the defaults and no change is
// written over them.
class StoredServerLists final : public QObject {
    Q_OBJECT

public:
    explicit StoredServerLists(QSettings& store, QObject* parent = nullptr);

    const ServerLists& Lists() const { return lists; }
    bool ReadOnly() const { return readOnly; }
    // What the Servers window's status line adds: nothing, or why no change is kept.
    QString StatusNote() const;

    // A query the user started: its server goes to the front of the recent list.
    void NoteQueried(const HostPort& server);
    // A server goes by every name that reached it: a favourite under any of them is the server's.
    bool IsFavourite(const QList<HostPort>& names) const;
    void SetFavourite(const QList<HostPort>& names, bool favourite);
    void SetMasters(const QList<HostPort>& masters, const QStringList& games);
    void SetBuddies(const QStringList& buddies);
    // Takes the place of the alert of the same server; one that tells of nothing removes it.
    void SetAlert(const FavouriteAlert& alert);
    // The alert of the server that goes by these names; one that tells of nothing when none.
    FavouriteAlert AlertFor(const QList<HostPort>& names) const;

signals:
    void RecentChanged();
    void FavouriteChanged(const QList<HostPort>& names, bool favourite);
    // The buddies or the alerts changed.
    void AlertsChanged();

private:
    // False, with nothing changed or written, when the lists are read-only or the store is busy.
    bool Change(const std::function<void(ServerLists&)>& change);

    QSettings& store;
    ServerLists lists;
    bool readOnly = false;
};
