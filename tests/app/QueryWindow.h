#pragma once

#include "MainWindowFixture.h"
#include "standin/QuakeServerStandIn.h"

#include <QByteArray>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidget>

// A main window on temporary files beside a stand-in server, with the controls a player reads.
class QueryWindow : public MainWindowFixture {
public:
    QueryWindow();

    MainDialog& Open();
    // Types the stand-in's address into the window.
    void SetTarget();
    // The same, then presses Query.
    void PressQuery();
    // True once every reply the query is waiting for has been handled.
    bool AllRepliesIn();

    QString Text(const char* field);
    QPushButton& QueryButton();
    QListWidget& PlayerList();
    QTreeWidget& RuleList();
    QTreeWidget& DetailsList();
    QProgressBar& ProgressBar();
    QStringList PlayerItems();
    QByteArray Script(const QString& name);

    QuakeServerStandIn server;
};
