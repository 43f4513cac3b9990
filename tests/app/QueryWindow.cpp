#include "QueryWindow.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

QueryWindow::QueryWindow() {
    settings.nametrickery = 1;
    server.Start();
}

MainDialog& QueryWindow::Open() {
    return Start();
}

void QueryWindow::SetTarget() {
    Dialog()
        .findChild<QLineEdit*>(QStringLiteral("serverHost"))
        ->setText(QStringLiteral("127.0.0.1"));
    Dialog().findChild<QLineEdit*>(QStringLiteral("port"))->setText(QString::number(server.Port()));
}

void QueryWindow::PressQuery() {
    SetTarget();
    QueryButton().click();
}

bool QueryWindow::AllRepliesIn() {
    MainDialog& d = Dialog();
    const QueryState& s = d.State();
    return s.serverInfoReceived == 1 && s.playerReplies == d.Fields().currentPlayers &&
           s.lastRuleName.Empty();
}

QString QueryWindow::Text(const char* field) {
    return Dialog().findChild<QLineEdit*>(field)->text();
}

template <typename T> static T& Control(MainDialog& d, const char* name) {
    return *d.findChild<T*>(QString::fromLatin1(name));
}

QPushButton& QueryWindow::QueryButton() {
    return Control<QPushButton>(Dialog(), "queryButton");
}
QListWidget& QueryWindow::PlayerList() {
    return Control<QListWidget>(Dialog(), "playerList");
}
QTreeWidget& QueryWindow::RuleList() {
    return Control<QTreeWidget>(Dialog(), "ruleList");
}
QTreeWidget& QueryWindow::DetailsList() {
    return Control<QTreeWidget>(Dialog(), "detailsList");
}
QProgressBar& QueryWindow::ProgressBar() {
    return Control<QProgressBar>(Dialog(), "progressBar");
}

QStringList QueryWindow::PlayerItems() {
    QStringList items;
    for (int i = 0; i < PlayerList().count(); ++i)
        items << PlayerList().item(i)->text();
    return items;
}

QByteArray QueryWindow::Script(const QString& name) {
    QFile file(DataPath() + u'/' + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
