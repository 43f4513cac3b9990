#include "BuddiesDialog.h"
#include "MastersDialog.h"
#include "ModelColumn.h"
#include "PlayersPane.h"
#include "QueryWindow.h"
#include "ServerColumns.h"
#include "ServerListText.h"
#include "ServersWindow.h"
#include "StoredServerLists.h"
#include "TestRegistry.h"
#include "TestWorld.h"
#include "TimerIds.h"
#include "master/MasterServerStandIn.h"
#include "standin/DemoConfig.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <memory>

namespace {

// The lists as the store holds them, read afresh from its file.
ServerLists Stored(const QSettings& store) {
    QSettings reread(store.fileName(), QSettings::IniFormat);
    ServerLists lists;
    lists.Load(reread);
    return lists;
}

// Right-clicks the widget there and runs the entry of its menu that has that text.
void Trigger(QWidget& widget, const QPoint& at, const QString& text) {
    QTimer::singleShot(0, [text] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction* action : menu->actions())
            if (action->text() == text)
                action->trigger();
        menu->close();
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, widget.mapToGlobal(at));
    QApplication::sendEvent(&widget, &click);
}

// The same on the first row.
void Trigger(ServersWindow& servers, const QString& text) {
    QTableView& table = servers.Table();
    Trigger(*table.viewport(), table.visualRect(table.model()->index(0, 0)).center(), text);
}

// The pane's players top to bottom as "name frags", a marked one with a "*" before.
QStringList PaneRows(const ServersWindow& servers) {
    const QTreeWidget& list = servers.Players().List();
    QStringList rows;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        const QTreeWidgetItem& item = *list.topLevelItem(i);
        rows << (item.font(0).bold() ? "*" : "") + item.text(0) + ' ' + item.text(1);
    }
    return rows;
}

ServersWindow& OpenServers(QueryWindow& w) {
    w.Dialog().OpenServers();
    [&w] {
        QVERIFY(QTest::qWaitForWindowExposed(w.Dialog().Servers()));
    }();
    return *w.Dialog().Servers();
}

} // namespace

class TestServersWindow : public QObject {
    Q_OBJECT

private slots:
    // Chosen by a double-click while a query to another server runs, then by Enter, the favourite
    // goes into the Server and Port fields and the main window's query runs to its end, players
    // and rules included; the server goes to the front of the stored recent list.
    void ChoosingAServerQueriesIt() {
        QueryWindow w;
        w.server.Config().players = DemoPlayers(3);
        w.server.Config().rules = DemoRules(5);
        QuakeServerStandIn silent;
        silent.Faults().dropServerInfo = true;
        QVERIFY(silent.Start());
        const HostPort favourite{"127.0.0.1", w.server.Port()};
        StoredServerLists(w.Store()).SetFavourite({favourite}, true);
        StoredServerLists(w.Store()).SetFavourite({{UnresolvableHost(), 26000}}, true);
        MainDialog& d = w.Open();
        d.show();
        w.Control<QLineEdit>("serverHost").setText("127.0.0.1");
        w.Control<QLineEdit>("port").setText(QString::number(silent.Port()));
        w.QueryButton().click();
        QTRY_COMPARE(silent.Requests().size(), 1);
        ServersWindow& servers = OpenServers(w);
        QTableView& table = servers.Table();
        // The query that ran put its silent server among the recent ones.
        QTRY_VERIFY(Column(*table.model(), NameColumn).contains("Vantrel stand-in"));
        QTRY_COMPARE(Column(*table.model(), PingColumn).count("not found"), 1);
        QCOMPARE(table.model()->rowCount(), 3);
        const QModelIndex row = table.model()->index(
            int(Column(*table.model(), NameColumn).indexOf("Vantrel stand-in")), MapColumn);
        QCOMPARE(row.siblingAtColumn(SourceColumn).data().toString(), "favourite");
        for (const bool byEnter : {false, true}) {
            if (byEnter) {
                servers.activateWindow();
                QTRY_COMPARE(QApplication::activeWindow(), &servers);
                table.setFocus();
                table.setCurrentIndex(row);
                QTest::keyClick(&table, Qt::Key_Return);
            } else {
                // The view takes a double-click only on the row a press went to first.
                const QPoint centre = table.visualRect(row).center();
                QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, centre);
                QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, centre);
            }
            QCOMPARE(w.Text("serverHost") + w.Text("port"),
                     "127.0.0.1" + QString::number(favourite.port));
            QCOMPARE(d.State().querying, 1);
            QTRY_VERIFY(d.isActiveWindow());
            QTRY_VERIFY(w.AllRepliesIn());
            QCOMPARE(w.PlayerList().count() * 10 + w.RuleList().topLevelItemCount(), 35);
            QCOMPARE(Stored(w.Store()).recent.first(), favourite);
            d.OnTimerTick(QueryTimer);
        }
        // Its queries went into the history, with its players.
        QCOMPARE(w.History().PlayersSeenOn(HostPortText(favourite), 10).size(), 3);
    }

    // Recent servers, favourites and their watch, the window's size, sort order and hidden
    // columns are all there at the next start; the recent servers are offered as the Server field
    // is typed in.
    void ListsSurviveARestart() {
        QueryWindow w;
        w.Open().show();
        w.PressQuery();
        const HostPort server{"127.0.0.1", w.server.Port()};
        QCOMPARE(Stored(w.Store()).recent, QList<HostPort>{server});
        {
            ServersWindow& servers = OpenServers(w);
            QTableView& table = servers.Table();
            QTRY_COMPARE(Column(*table.model(), SourceColumn), QStringList{"recent"});
            Trigger(servers, "&Add to favourites");
            QCOMPARE(Column(*table.model(), SourceColumn), QStringList{"favourite, recent"});
            w.Prompts().QueueNumber(5);
            Trigger(servers, "&Notify at a player count...");
            Trigger(servers, "&Tell me when there's room");
            QHeaderView& header = *table.horizontalHeader();
            QVERIFY(table.isColumnHidden(ModColumn) && !table.isColumnHidden(BuddiesColumn));
            Trigger(*header.viewport(), {header.sectionViewportPosition(MapColumn) + 2, 2}, "Map");
            servers.resize(900, 500);
            table.sortByColumn(NameColumn, Qt::AscendingOrder);
            w.Dialog().done(0);
        }
        QCOMPARE(Stored(w.Store()).favourites, QList<HostPort>{server});
        // As a header stored before the columns were counted: the new ones take their defaults.
        w.Store().remove("serverswindow/columns");
        const FavouriteAlert alert = Stored(w.Store()).alerts.value(0);
        QVERIFY(alert.server == server && alert.minPlayers == 5 && alert.room);
        // Another name of the same server: still one row, and its favourites go together.
        StoredServerLists(w.Store()).SetFavourite({{"localhost", server.port}}, true);

        MainDialog& d = w.Start();
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QLineEdit& host = w.Control<QLineEdit>("serverHost");
        w.Control<QLineEdit>("port").setText("1");
        host.setFocus();
        QTest::keyClicks(&host, "127.0");
        QAbstractItemView& popup = *host.completer()->popup();
        QTRY_VERIFY(popup.isVisible());
        QCOMPARE(popup.model()->index(0, 0).data().toString(), HostPortText(server));
        QTest::keyClick(&popup, Qt::Key_Down);
        QTest::keyClick(&popup, Qt::Key_Return);
        QCOMPARE(host.text(), "127.0.0.1");
        QCOMPARE(w.Text("port"), QString::number(server.port));

        ServersWindow& servers = OpenServers(w);
        QCOMPARE(servers.size(), QSize(900, 500));
        QCOMPARE(servers.Table().horizontalHeader()->sortIndicatorSection(), int(NameColumn));
        QVERIFY(servers.Table().isColumnHidden(MapColumn) &&
                servers.Table().isColumnHidden(ModColumn));
        QTRY_COMPARE(Column(*servers.Table().model(), SourceColumn),
                     QStringList{"favourite, recent"});
        // The status line sits under the table.
        const QList<QLabel*> labels = servers.findChildren<QLabel*>();
        QVERIFY(std::any_of(labels.begin(), labels.end(), [&servers](const QLabel* label) {
            return label->text() == servers.StatusText() && label->y() > servers.height() / 2;
        }));
        Trigger(servers, "&Remove from favourites");
        QCOMPARE(Column(*servers.Table().model(), SourceColumn), QStringList{"recent"});
        QCOMPARE(Stored(w.Store()).favourites, QList<HostPort>());
    }

    // Seven servers from a master: one answers only the second request, one never answers. The
    // table fills as they answer, and the status line counts them; a double-click takes the server
    // pressed, though the late answer moved another under the pointer. The silent one is given up
    // two seconds on the clock after its first request, and sorts last. Reopened within a minute
    // the window keeps its list; later it asks again, greying the old values, until it is closed.
    void RefreshFromAMaster() {
        std::vector<std::unique_ptr<QuakeServerStandIn>> farm;
        MasterServerStandIn master;
        QVERIFY(master.Start());
        for (int i = 0; i < 7; ++i) {
            farm.push_back(std::make_unique<QuakeServerStandIn>(DemoServer(i, 0)));
            QVERIFY(farm.back()->Start());
            farm.back()->Faults().dropServerInfo = i < 2;
            master.Servers().append({QHostAddress::LocalHost, farm.back()->Port()});
        }
        MainWindowFixture w;
        StoredServerLists lists(w.Store());
        lists.SetMasters({{"127.0.0.1", master.Port()}}, {"FTE-Quake"});
        ManualClock clock;
        ServersWindow servers(lists, w.settings, w.Prompts(), w.Store(), w.History(), nullptr,
                              clock);
        QSignalSpy chosen(&servers, &ServersWindow::ServerChosen);
        servers.Open();
        QTableView& table = servers.Table();
        table.sortByColumn(NameColumn, Qt::DescendingOrder);
        QTRY_COMPARE(servers.StatusText(), "5 of 7 servers answered, asking...");
        // The third row, where the late server's answer puts it.
        const QPoint aim = table.visualRect(table.model()->index(2, 0)).center();
        const QString pressed = table.indexAt(aim).siblingAtColumn(AddressColumn).data().toString();
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, aim);
        farm.front()->Faults().dropServerInfo = false;
        clock.Advance(ServerPinger::ResendAfterMs);
        servers.Refresher().Network().OnTick();
        QTRY_COMPARE(servers.StatusText(), "6 of 7 servers answered, asking...");
        QCOMPARE(table.indexAt(aim).data().toString(), "Slipgate Deathmatch");
        QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, aim);
        QCOMPARE(HostPortText(chosen.value(0).value(0).value<HostPort>()), pressed);
        clock.Advance(ServerPinger::SilentAfterMs);
        servers.Refresher().Network().OnTick();
        QCOMPARE(servers.StatusText(), "6 of 7 servers answered");
        // The whole refresh went into the history, the silent server as a silence.
        int seen = 0;
        for (const HourRow& hour : w.History().AllHours())
            seen += hour.answers * 10 + hour.silences;
        QCOMPARE(seen, 61);
        const QStringList pings = Column(*servers.Table().model(), PingColumn);
        QCOMPARE(pings.last(), "no reply");
        const QString late = HostPortText({"127.0.0.1", farm.front()->Port()});
        QVERIFY(pings.at(Column(*servers.Table().model(), AddressColumn).indexOf(late))
                    .startsWith(u'~'));

        // The list is two seconds old on the clock when first closed.
        for (const int away : {ServersWindow::ListKeptMs - 2000, 1}) {
            servers.close();
            clock.Advance(away);
            servers.Open();
            QCOMPARE(servers.Refresher().Running(), away == 1);
        }
        QCOMPARE(table.model()->index(0, PingColumn).data(Qt::ForegroundRole).value<QColor>(),
                 servers.palette().color(QPalette::Disabled, QPalette::Text));
        // Asked again (server info and status), the silent server would be asked a second time
        // after the close.
        QTRY_COMPARE(farm[1]->Requests().size(), 6);
        servers.close();
        clock.Advance(ServerPinger::ResendAfterMs);
        servers.Refresher().Network().OnTick();
        QTest::qWait(20);
        QCOMPARE(farm[1]->Requests().size(), 6);
        for (QPushButton* button : servers.findChildren<QPushButton*>())
            if (button->text() == "&Refresh")
                button->click();
        QVERIFY(servers.Refresher().Running());
        // Three rows in view: sorted afresh, the selected server is scrolled back into it.
        servers.Open();
        table.setFixedHeight(table.horizontalHeader()->height() + 3 * table.rowHeight(0) +
                             2 * table.frameWidth());
        QTRY_COMPARE(table.viewport()->height(), 3 * table.rowHeight(0));
        table.selectRow(0);
        table.sortByColumn(NameColumn, Qt::AscendingOrder);
        QVERIFY(table.viewport()->rect().contains(table.visualRect(table.currentIndex())));
    }

    // A history that cannot be used: the status line says why, and the refresh runs all the same.
    void HistoryOff() {
        MainWindowFixture w;
        HistoryStore off;
        QVERIFY(!off.Open(w.Store().fileName() + "/history.sqlite"));
        StoredServerLists lists(w.Store());
        ServersWindow servers(lists, w.settings, w.Prompts(), w.Store(), off);
        servers.Open();
        QTRY_COMPARE(servers.StatusText(), "0 of 0 servers answered; " + off.Problem());
        QVERIFY(off.Problem().startsWith("History is off: "));
    }

    // Two favourites with players, some named in the game's red letters: the selected server's
    // players show under the table, converted and most frags first, once the refresh brings them.
    // Find player keeps the servers with a matching player and marks him there. A buddy set in
    // the Buddies dialog is stored, named in the rows of his servers and counted.
    void PlayersFindAndBuddies() {
        MainWindowFixture w;
        std::vector<std::unique_ptr<QuakeServerStandIn>> farm;
        StoredServerLists lists(w.Store());
        for (const int players : {3, 6}) {
            StandInConfig config = DemoServer(players, 0);
            config.players = DemoPlayers(players);
            // The first is a plain NetQuake server, the second answers its status too.
            config.answersStatus = players == 6;
            config.modName = "ctf";
            farm.push_back(std::make_unique<QuakeServerStandIn>(config));
            QVERIFY(farm.back()->Start());
            lists.SetFavourite({{"127.0.0.1", farm.back()->Port()}}, true);
        }
        ManualClock clock;
        ServersWindow servers(lists, w.settings, w.Prompts(), w.Store(), w.History(), nullptr,
                              clock);
        servers.Open();
        QTableView& table = servers.Table();
        const auto select = [&](int server) {
            table.selectRow(int(Column(*table.model(), AddressColumn)
                                    .indexOf(HostPortText({"127.0.0.1", farm[server]->Port()}))));
        };
        QTRY_COMPARE(Column(*table.model(), AddressColumn).size(), 2);
        select(0);
        QCOMPARE(PaneRows(servers), QStringList());
        clock.Advance(ServerPinger::StatusGraceMs);
        servers.Refresher().Network().OnTick();
        QTRY_COMPARE(PaneRows(servers), (QStringList{"Shambler 12", "Fiend 5", "Ranger -2"}));
        select(1);
        const QStringList six{"Ogre 26", "[Vore] 19", "Shambler 12",
                              "Fiend 5", "Scrag 2",   "Ranger -2"};
        QTRY_COMPARE(PaneRows(servers), six);
        QCOMPARE(servers.Players().Summary(), "Mod: ctf   Engine: QSS 0.96.3   Protocol: 666");

        auto* find = servers.findChild<QLineEdit*>("findPlayer");
        const QList<std::pair<QString, int>> finds{{"sCRAG", 4}, {"  SHAMB", 2}, {"zz", -1}};
        for (const auto& [text, marked] : finds) {
            find->setText(text);
            QCOMPARE(table.model()->rowCount(), marked == 4 ? 1 : marked < 0 ? 0 : 2);
            QStringList rows = marked < 0 ? QStringList() : six;
            if (marked >= 0)
                rows[marked].prepend(u'*');
            QCOMPARE(PaneRows(servers), rows);
        }
        find->clear();

        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<BuddiesDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->findChild<QPlainTextEdit*>()->setPlainText(" fiend\n\nGrunt \nfiend");
            dialog->accept();
        });
        servers.findChild<QPushButton*>("buddiesButton")->click();
        QCOMPARE(Stored(w.Store()).buddies, (QStringList{"fiend", "Grunt"}));
        QCOMPARE(Column(*table.model(), BuddiesColumn), (QStringList{"Fiend", "Fiend"}));
        QVERIFY(servers.StatusText().endsWith(", 2 buddies playing"));
    }

    // A line that cannot be used keeps the dialog open and is told; blank lines and spaces go,
    // and a server or game given twice is kept once.
    void MastersAreEdited() {
        ScriptedPrompts prompts;
        MastersDialog dialog({}, {}, prompts);
        const QList<QPlainTextEdit*> edits = dialog.findChildren<QPlainTextEdit*>();
        QCOMPARE(dialog.findChild<QLabel*>()->buddy(), edits[0]);
        const QList<std::pair<QString, QString>> tries = {
            {"localhost:x", "FTE-Quake"},
            {"localhost", "FTE Quake"},
            {"localhost", QString(LongestGameName + 1, u'q')},
            {"localhost", QString::fromUtf8("Qu\xc3\xa4ke")},
            {"localhost", ""},
            {"a\nb c:1", "FTE-Quake"},
            {"127.0.0.1:27951\n\n [::1]:5 \r\nlocalhost\nLOCALHOST:27950",
             "FTE-Quake\n DarkPlaces-Quake\nFTE-Quake\n!" + QString(LongestGameName - 2, u'q') +
                 u'~'}};
        for (const auto& [masters, games] : tries) {
            edits[0]->setPlainText(masters);
            edits[1]->setPlainText(games);
            dialog.accept();
        }
        QCOMPARE(dialog.result(), QDialog::Accepted);
        QStringList told = prompts.Texts();
        QVERIFY(told.size() == 6 && told[2].startsWith("Game names: Line 1: ") &&
                told[3].startsWith("Game names: Line 1: "));
        told.remove(2, 2);
        QCOMPARE(told, (QStringList{"Master servers: Line 1: bad port \"x\": give a number from 1 "
                                    "to 65535",
                                    "Game names: Line 1: \"FTE Quake\" is no game name: give one "
                                    "word of letters, digits and punctuation, at most 63",
                                    "Give a game name to ask the masters for.",
                                    "Master servers: Line 2: \"b c:1\" is no host: give a name of "
                                    "letters, digits, hyphens and dots, an IPv4 address or an "
                                    "IPv6 address in brackets"}));
        QCOMPARE(dialog.Masters(),
                 (QList<HostPort>{{"127.0.0.1", 27951}, {"::1", 5}, {"localhost", 27950}}));
        QCOMPARE(dialog.Games(), (QStringList{"FTE-Quake", "DarkPlaces-Quake",
                                              u'!' + QString(LongestGameName - 2, u'q') + u'~'}));
    }
};

VANTREL_TEST(TestServersWindow)
#include "TestServersWindow.moc"
