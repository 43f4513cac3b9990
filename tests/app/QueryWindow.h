#pragma once

#include "MainWindowFixture.h"
#include "standin/QuakeServerStandIn.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidget>

// A main window on temporary files beside a stand-in server, with name trickery on and the
// controls a player reads.
class QueryWindow : public MainWindowFixture {
public:
    QueryWindow() {
        settings.nametrickery = 1;
        server.Start();
    }

    MainDialog& Open() { return Start(); }
    // Types the stand-in's address into the window.
    void SetTarget() {
        Control<QLineEdit>("serverHost").setText(QStringLiteral("127.0.0.1"));
        Control<QLineEdit>("port").setText(QString::number(server.Port()));
    }
    // The same, then presses Query.
    void PressQuery() {
        SetTarget();
        QueryButton().click();
    }
    // True once every reply the query is waiting for has been handled.
    bool AllRepliesIn() {
        const QueryState& s = Dialog().State();
        return s.serverInfoReceived == 1 && s.playerReplies == Dialog().Fields().currentPlayers &&
               s.lastRuleName.Empty();
    }
    // Presses Query, waits for every reply and lets the next query tick end the query; true when
    // that ended it with success.
    bool QueryToTheEnd() {
        PressQuery();
        if (!WaitUntil([this] { return AllRepliesIn(); }))
            return false;
        Dialog().OnTimerTick(QueryTimer);
        return Dialog().windowTitle() == QStringLiteral("Vantrel - Query Sucsess");
    }

    QString Text(const char* field) { return Control<QLineEdit>(field).text(); }
    QPushButton& QueryButton() { return Control<QPushButton>("queryButton"); }
    QListWidget& PlayerList() { return Control<QListWidget>("playerList"); }
    QTreeWidget& RuleList() { return Control<QTreeWidget>("ruleList"); }
    QTreeWidget& DetailsList() { return Control<QTreeWidget>("detailsList"); }
    QProgressBar& ProgressBar() { return Control<QProgressBar>("progressBar"); }
    QStringList PlayerItems() {
        QStringList items;
        for (int i = 0; i < PlayerList().count(); ++i)
            items << PlayerList().item(i)->text();
        return items;
    }

    QuakeServerStandIn server;
};
