#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QTreeWidget;
struct ServerRow;

// The selected server's players, under the Servers window's table: one line with the server's
// mod, engine and protocol, then a player a row, most frags first, with his colours, frags, and
// his ping and time connected where the server gave them.
class PlayersPane final : public QWidget {
    Q_OBJECT

public:
    explicit PlayersPane(QWidget* parent = nullptr);

    // Shows the row's players (none for no row), names converted as asciinames says; the players
    // whose name holds `find`, as NameContains matches, are marked in bold.
    void Show(const ServerRow* row, int asciinames, const QString& find);

    QString Summary() const;
    const QTreeWidget& List() const { return *list; }

private:
    QLabel* summary;
    QTreeWidget* list;
};
