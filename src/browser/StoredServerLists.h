#pragma once

#include "ServerLists.h"

#include <QObject>

class QSettings;

// The browser's lists as the program keeps them: read from the store once, and written back at
// every change, so that a crash loses none.
class StoredServerLists final : public QObject {
    Q_OBJECT

public:
    explicit StoredServerLists(QSettings& store, QObject* parent = nullptr);

    const ServerLists& Lists() const { return lists; }

    // A query the user started: its server goes to the front of the recent list.
    void NoteQueried(const HostPort& server);
    // A server goes by every name that reached it: a favourite under any of them is the server's.
    bool IsFavourite(const QList<HostPort>& names) const;
    void SetFavourite(const QList<HostPort>& names, bool favourite);
    void SetMasters(const QList<HostPort>& masters, const QStringList& games);

signals:
    void RecentChanged();
    void FavouriteChanged(const QList<HostPort>& names, bool favourite);

private:
    QSettings& store;
    ServerLists lists;
};
