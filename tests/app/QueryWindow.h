#pragma once

#include "MainWindowFixture.h"
#include "standin/QuakeServerStandIn.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidget>

// A main window on temporary files beside a stand-in server, with the controls a player reads.
class QueryWindow : public MainWindowFixture {
public:
    QueryWindow();

    MainDialog& Open() { return Start(); }
    // Types the stand-in's address into the window.
    void SetTarget();
    // The same, then presses Query.
    void PressQuery();
    // True once every reply the query is waiting for has been handled.
    bool AllRepliesIn();
    // Presses Query, waits for every reply and lets the next query tick end the query; true when
    // that ended it with success.
    bool QueryToTheEnd();

    QString Text(const char* field) { return Control<QLineEdit>(field).text(); }
    QPushButton& QueryButton() { return Control<QPushButton>("queryButton"); }
    QListWidget& PlayerList() { return Control<QListWidget>("playerList"); }
    QTreeWidget& RuleList() { return Control<QTreeWidget>("ruleList"); }
    QTreeWidget& DetailsList() { return Control<QTreeWidget>("detailsList"); }
    QProgressBar& ProgressBar() { return Control<QProgressBar>("progressBar"); }
    QStringList PlayerItems();

    QuakeServerStandIn server;
};
