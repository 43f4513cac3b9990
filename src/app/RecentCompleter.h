#pragma once

#include <QObject>

class QCompleter;
class QLineEdit;
class QStandardItemModel;
class StoredServerLists;

// Offers the recent servers as the Server field is typed in: the list shows host and port, and
// choosing one puts the host in the Server field and the port in the Port field.
class RecentCompleter final : public QObject {
    Q_OBJECT

public:
    RecentCompleter(QLineEdit& host, QLineEdit& port, const StoredServerLists& lists);

    QCompleter& Completer() { return *completer; }

private:
    void Fill();

    QLineEdit& port;
    const StoredServerLists& lists;
    QStandardItemModel* servers;
    QCompleter* completer;
};
