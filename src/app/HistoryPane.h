#pragma once

#include <QDateTime>
#include <QString>
#include <QWidget>

class BusyHoursGrid;
class HistoryCharts;
class HistoryStore;
class HourlyTable;
class QLabel;
class QScrollArea;
class QTreeWidget;

// The History tab of the Servers window: what the store kept of the selected server, as charts,
// the busy hours, the players last seen there and a table of the charts' numbers. Without a
// store, or with history off, it says why instead. It reads the store only while it shows, so
// a selection that moves while another tab is in front costs nothing.
class HistoryPane final : public QWidget {
    Q_OBJECT

public:
    static constexpr int PlayersShown = 50;

    explicit HistoryPane(const HistoryStore* store, QWidget* parent = nullptr);

    // The server ("host:port", as the store keeps it; empty for none) as its history stands at
    // `now`, its players' names converted as asciinames says.
    void Show(const QString& server, const QDateTime& now, int asciinames);

    QString Message() const;
    const HourlyTable& Hours() const { return *hours; }
    const BusyHoursGrid& Busy() const { return *busy; }
    const QTreeWidget& Seen() const { return *seen; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Load();

    const HistoryStore* store;
    QString server;
    QDateTime now;
    int asciinames = 0;
    bool pending = false;

    QLabel* message;
    QScrollArea* scroll;
    HistoryCharts* charts;
    BusyHoursGrid* busy;
    QTreeWidget* seen;
    HourlyTable* hours;
};
