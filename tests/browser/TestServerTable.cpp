#include "ModelColumn.h"
#include "ServerColumns.h"
#include "ServerFilterProxy.h"
#include "ServerTableModel.h"
#include "TestRegistry.h"

#include <QSignalSpy>
#include <QTest>

namespace {

Endpoint At(const char* address, quint16 port = 26000) {
    return Endpoint::Normalised(QHostAddress(QString::fromLatin1(address)), port);
}

RefreshBatch::Listed FromMaster(const Endpoint& endpoint) {
    return {endpoint, {}, ServerSource::Master};
}

RefreshBatch::Outcome Answer(const Endpoint& endpoint, const char* name, const char* map,
                             int players, int places, int ping, bool afterResend = false) {
    return {endpoint, ServerAnswer{QString::fromLatin1(name), QString::fromLatin1(map),
                                   endpoint.ToString(), players, places, Ping{ping, afterResend}}};
}

// Six servers, one of each kind the table shows: three answered, one silent, one whose host was
// not found and one still being asked.
RefreshBatch SixServers() {
    RefreshBatch batch;
    const Endpoint a = At("10.0.0.2"), b = At("10.0.0.10"), c = At("192.0.2.7", 26001);
    batch.listed = {FromMaster(a),
                    FromMaster(b),
                    {c, {"quake.example", 26001}, ServerSource::Favourite},
                    FromMaster(At("10.0.0.3")),
                    {{}, {"nohost.invalid", 26000}, ServerSource::Favourite},
                    FromMaster(At("10.0.0.4"))};
    batch.listed.append({c, {}, ServerSource::Master});
    batch.outcomes = {Answer(a, "Alpha DM", "e1m1", 3, 8, 40),
                      Answer(b, "bravo", "dm4", 8, 8, 120, true),
                      Answer(c, "Charlie", "E1M1", 0, 16, 15),
                      {At("10.0.0.3"), std::nullopt}};
    return batch;
}

} // namespace

class TestServerTable : public QObject {
    Q_OBJECT

private slots:
    void SortAndFilter_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<ServerFilter>("filter");
        QTest::addColumn<QStringList>("names");
        const QStringList unanswered{"", "", ""};
        const auto row = [](const char* tag, int column, bool descending,
                            const ServerFilter& filter, const QStringList& names) {
            QTest::newRow(tag) << column << descending << filter << names;
        };
        // Rows without an answer stay last whichever the order.
        row("ping up", PingColumn, false, {},
            QStringList{"Charlie", "Alpha DM", "bravo"} + unanswered);
        row("players down", PlayersColumn, true, {},
            QStringList{"bravo", "Alpha DM", "Charlie"} + unanswered);
        row("name, any case", NameColumn, false, {},
            QStringList{"Alpha DM", "bravo", "Charlie"} + unanswered);
        // 10.0.0.2, .10, then the host names; below them .3 and .4, which did not answer.
        row("address by number", AddressColumn, false, {},
            QStringList{"Alpha DM", "bravo", "Charlie"} + unanswered);
        row("text in a map", AddressColumn, false, {"e1m1", false, false, {}, true},
            {"Alpha DM", "Charlie"});
        row("text in a host name", AddressColumn, false, {" QUAKE.ex ", false, false, {}, true},
            {"Charlie"});
        row("hide empty", AddressColumn, false, {"", true, false, {}, true}, {"Alpha DM", "bravo"});
        row("hide full", AddressColumn, true, {"", false, true, {}, true},
            QStringList{"Charlie", "Alpha DM"} + unanswered);
    }
    void SortAndFilter() {
        QFETCH(int, column);
        QFETCH(bool, descending);
        QFETCH(ServerFilter, filter);
        ServerTableModel model;
        ServerFilterProxy proxy(model);
        model.Apply(SixServers());
        proxy.SetFilter(filter);
        proxy.sort(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        QTEST(Column(proxy, NameColumn), "names");
    }

    // Players are found by their folded names, buddies among them, with when the history saw them;
    // a server that answered only its status shows only when asked for.
    void PlayersAndBuddies() {
        ServerTableModel model;
        ServerFilterProxy proxy(model);
        RefreshBatch batch = SixServers();
        const auto players = [](const QByteArray& lines) {
            return ShownStatus(
                *ParseStatusReply("\xFF\xFF\xFF\xFFstatusResponse\\modname\\ctf" + lines), false);
        };
        ServerAnswer dp{"delta", "dm4", {}, 1, 8, {}};
        dp.netQuake = false;
        batch.outcomes +=
            {{At("10.0.0.2"), std::nullopt, players("\n0 0 \"\xC1lice\"\n0 0 \"Bob\"")},
             {At("10.0.0.10"), std::nullopt, players("\n0 0 \"bobby\"")},
             {At("10.0.0.4"), dp, players("\n0 0 \"Bobo\"")}};
        // The history's times go by the row's "host:port", rows added later included.
        const QDateTime seen = QDateTime::fromSecsSinceEpoch(1'700'000'000);
        model.SetLastSeen({{"10.0.0.10:26000", seen}});
        model.Apply(batch);
        QCOMPARE(Column(model, LastSeenColumn).join(u','),
                 ',' + seen.toLocalTime().toString("yyyy-MM-dd HH:mm") + ",,,,");
        model.SetBuddiesSeen("Alice: 10.0.0.2:26000");
        QCOMPARE(model.index(3, BuddiesColumn).data(Qt::ToolTipRole), "Alice: 10.0.0.2:26000");
        model.SetBuddies({"ALI", "zed"});
        QCOMPARE(Column(model, BuddiesColumn).at(0) + QString::number(model.CurrentTally().buddies),
                 "Alice1");
        QCOMPARE(Column(model, ModColumn).join(u','), "ctf,ctf,,,,ctf");
        const QList<std::pair<ServerFilter, QString>> filters{
            {{"", false, false, "bob", true}, "Alpha DM,bravo"},
            {{"", false, false, "BO", false}, "Alpha DM,bravo,delta"}};
        for (const auto& [filter, names] : filters) {
            proxy.SetFilter(filter);
            QCOMPARE(Column(proxy, NameColumn).join(u','), names);
        }
    }

    // A refresh keeps the rows it lists again, with the view's hold on them, and drops the rest
    // only at its end. Each batch is one insertion and one change, however many servers it holds.
    void RefreshReconciles() {
        ServerTableModel model;
        ServerFilterProxy proxy(model);
        proxy.sort(PingColumn);
        model.Apply(SixServers());
        // What the cells and the titles show, beside what they sort by.
        QStringList titles;
        for (int column = 0; column <= ServerColumnCount; ++column)
            titles << model.headerData(column, Qt::Horizontal).toString();
        QCOMPARE(titles.join(u','),
                 "Name,Map,Players,Ping,Address,Source,Mod,Engine,Buddies,Last seen,");
        QCOMPARE(Column(model, PlayersColumn), (QStringList{"3/8", "8/8", "0/16", "", "", ""}));
        QCOMPARE(Column(model, PingColumn),
                 (QStringList{"40", "~120", "15", "no reply", "not found", ""}));
        QCOMPARE(Column(model, AddressColumn),
                 (QStringList{"10.0.0.2:26000", "10.0.0.10:26000", "quake.example:26001",
                              "10.0.0.3:26000", "nohost.invalid:26000", "10.0.0.4:26000"}));
        const QPersistentModelIndex bravo = proxy.index(2, NameColumn);
        model.BeginRefresh();
        QCOMPARE(model.rowCount(), 6);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        RefreshBatch again;
        again.listed = {FromMaster(At("10.0.0.10")), FromMaster(At("10.0.0.5")),
                        FromMaster(At("10.0.0.6")), FromMaster(At("192.0.2.7", 26001))};
        again.outcomes = {Answer(At("10.0.0.10"), "bravo", "dm6", 2, 8, 30),
                          Answer(At("10.0.0.5"), "echo", "e2m1", 1, 8, 50)};
        model.Apply(again);
        QCOMPARE(inserted.count() * 10 + changed.count(), 11);
        QCOMPARE(model.CurrentTally().servers * 10 + model.CurrentTally().answered, 42);

        model.EndRefresh();
        QCOMPARE(Column(model, NameColumn), (QStringList{"bravo", "Charlie", "echo", ""}));
        // The rows that stayed are found again, and a host not found after its row went gets a
        // row of its own; the change starts at the first row.
        RefreshBatch third;
        third.listed = {{{}, {"nohost.invalid", 26000}, ServerSource::Favourite}};
        third.outcomes = {Answer(At("10.0.0.10"), "bravo", "dm7", 2, 8, 30),
                          Answer(At("10.0.0.5"), "echo", "e2m2", 1, 8, 50)};
        model.BeginRefresh();
        model.Apply(third);
        QCOMPARE(Column(model, MapColumn), (QStringList{"dm7", "E1M1", "e2m2", "", ""}));
        QCOMPARE(changed.last().at(0).toModelIndex().row(), 0);
        QVERIFY(bravo.isValid());
        QCOMPARE(proxy.index(bravo.row(), MapColumn).data().toString(), "dm7");
        // No longer named, the favourite shows its address; its last answer stays until the next.
        QCOMPARE(Column(model, AddressColumn).at(1) + Column(model, SourceColumn).at(1) +
                     Column(model, PingColumn).at(1),
                 "192.0.2.7:26001master15");
    }

    // As the main window's fields: converted with the option at 1, byte for character otherwise.
    void AnswerTexts() {
        ServerInfo info;
        info.name.Assign("\xC1lpha");
        info.map.Assign("e1m\xB1");
        info.address.Assign("\xB1:26000");
        const ServerAnswer converted = ShownAnswer(info, {}, true);
        QCOMPARE(converted.name + converted.map + converted.address, "Alphae1m11:26000");
        const ServerAnswer raw = ShownAnswer(info, {}, false);
        QCOMPARE(raw.name + raw.map, QString::fromLatin1("\xC1lphae1m\xB1"));
    }
};

VANTREL_TEST(TestServerTable)
#include "TestServerTable.moc"
