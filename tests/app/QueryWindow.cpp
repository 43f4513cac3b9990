#include "QueryWindow.h"

#include "TimerIds.h"

QueryWindow::QueryWindow() {
    settings.nametrickery = 1;
    server.Start();
}

void QueryWindow::SetTarget() {
    Control<QLineEdit>("serverHost").setText(QStringLiteral("127.0.0.1"));
    Control<QLineEdit>("port").setText(QString::number(server.Port()));
}

void QueryWindow::PressQuery() {
    SetTarget();
    QueryButton().click();
}

bool QueryWindow::AllRepliesIn() {
    const QueryState& s = Dialog().State();
    return s.serverInfoReceived == 1 && s.playerReplies == Dialog().Fields().currentPlayers &&
           s.lastRuleName.Empty();
}

bool QueryWindow::QueryToTheEnd() {
    PressQuery();
    if (!WaitUntil([this] { return AllRepliesIn(); }))
        return false;
    Dialog().OnTimerTick(QueryTimer);
    return Dialog().windowTitle() == QStringLiteral("Vantrel - Query Sucsess");
}

QStringList QueryWindow::PlayerItems() {
    QStringList items;
    for (int i = 0; i < PlayerList().count(); ++i)
        items << PlayerList().item(i)->text();
    return items;
}
