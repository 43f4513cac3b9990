#include "HistorySamples.h"
#include "HistoryStore.h"
#include "TestRegistry.h"

#include <QDir>
#include <QPoint>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime Start = QDateTime(QDate(2026, 3, 2), QTime(10, 0), Qt::UTC); // a Monday

// A silence when the ping is negative. Each ping its own server name: a server is known by its
// address, whatever it calls itself.
HistorySample Answer(const QString& server, int ping, QList<QByteArray> names = {"grunt"},
                     const QString& map = QStringLiteral("e1m1")) {
    const QString name = QString::number(ping);
    return {server, ping >= 0, ping, int(names.size()), 16, name, map, name, names};
}

// A statement run on the file through a connection of the test's own; its first value.
QVariant OnFile(const QString& path, const QString& statement) {
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "test");
        db.setDatabaseName(path);
        QSqlQuery query(db);
        if (db.open() && query.exec(statement) && query.next())
            value = query.value(0);
    }
    QSqlDatabase::removeDatabase("test");
    return value;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A roll-up in a list of samples: x is its minute, y this instead of a ping.
constexpr int RollUpHere = -2;

} // namespace

class TestHistoryStore : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString Path() const { return dir.filePath(QStringLiteral("history.sqlite")); }

private slots:
    void init() {
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files))
            QVERIFY(QFile::remove(dir.filePath(name)));
    }

    void RecordsAndReadsRawSamples() {
        HistoryStore store;
        QVERIFY2(store.Open(Path()), qPrintable(store.Problem()));
        QVERIFY(store.Record({Answer("a:26000", 40, {"Wanderer", "grunt"}), Answer("b:26000", -1)},
                             Start));
        QVERIFY(store.Record({Answer("a:26000", 60, {"grunt"}, "e1m2"), Answer("b:26000", -1)},
                             Start.addSecs(60)));
        QVERIFY(store.Record({Answer("a:26000", -1)}, Start.addSecs(3600)));

        const QList<HourRow> hours = store.Hours("a:26000", Start, Start.addDays(1));
        QCOMPARE(hours.size(), 2);
        QCOMPARE(hours[0].hour, Start);
        QCOMPARE(std::tuple(hours[0].answers, hours[0].pingMedian, hours[0].pingSpread,
                            hours[0].playersMean, hours[0].playersMax),
                 std::tuple(2, 50.0, 16.0, 1.5, 2));
        QCOMPARE(hours[0].maps, QStringList({"e1m1", "e1m2"}));
        QCOMPARE(store.Busy("a:26000")[0][10], 1.5);

        QCOMPARE(store.LastAnswered().value("a:26000"), Start.addSecs(60));
        QVERIFY(!store.LastAnswered().contains("b:26000"));
        const QList<PlayerSeen> seen = store.PlayersSeenOn("a:26000", 10);
        QCOMPARE(seen.size(), 2);
        QCOMPARE(std::tuple(seen[0].name, seen[0].first, seen[0].last),
                 std::tuple(QByteArray("grunt"), Start, Start.addSecs(60)));
        const auto wanderer = store.LastSeen({"WAND"}).value(0);
        QVERIFY(wanderer && wanderer->server == "a:26000" && wanderer->last == Start);
    }

    void TakesAnswersAndSilencesFromRows() {
        ServerRow answered;
        answered.target = {"quake.example", 26001};
        answered.state = RowState::Answered;
        answered.answer = ServerAnswer{"Name", "dm4", {}, 2, 8, {35, true}};
        answered.status = ServerStatus{"hipnotic", {}, {}, {{}, {}}};
        answered.status->players[0].name = "\xc1\xe2";
        answered.status->players[1].name = "d";
        ServerRow silent = answered;
        silent.state = RowState::Silent; // still showing the last answer
        ServerRow asking = answered;
        asking.state = RowState::Asking;
        const QList<HistorySample> samples = SamplesFromRows({answered, silent, asking});
        QCOMPARE(samples.size(), 2);
        QCOMPARE(samples[0].server, QString("quake.example:26001"));
        QCOMPARE(std::tuple(samples[0].answered, samples[0].pingMs, samples[0].players,
                            samples[0].maxPlayers),
                 std::tuple(true, 35, 2, 8));
        QCOMPARE(samples[0].map + samples[0].mod, QString("dm4hipnotic"));
        QCOMPARE(samples[0].playerNames, QList<QByteArray>({"\xc1\xe2", "d"}));
        QVERIFY(!samples[1].answered && samples[1].playerNames.isEmpty());
    }

    void RollsUp_data() {
        QTest::addColumn<QList<QPoint>>("steps"); // minute from Start, ping (-1 silent)
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("answers");
        QTest::addColumn<int>("silences");
        QTest::addColumn<double>("ping");
        QTest::addColumn<int>("raw");
        QTest::addColumn<int>("seen");
        const int past = 49 * 60;
        QTest::newRow("one row for the hour, the server renamed in it")
            << QList<QPoint>{{0, 40}, {1, 60}, {past, RollUpHere}} << 1 << 2 << 0 << 50.0 << 0 << 1;
        QTest::newRow("an hour of silences only")
            << QList<QPoint>{{0, -1}, {1, -1}, {past, RollUpHere}} << 1 << 0 << 2 << 0.0 << 0 << 0;
        QTest::newRow("the hour at the limit stays raw")
            << QList<QPoint>{{10, 40}, {48 * 60 + 30, RollUpHere}} << 1 << 1 << 0 << 40.0 << 1 << 1;
        QTest::newRow("a clock set back into an hour rolled up")
            << QList<QPoint>{{0, 40}, {past, RollUpHere}, {30, 60}, {past + 1, RollUpHere}} << 1
            << 2 << 0 << 50.0 << 0 << 1;
        QTest::newRow("hours past 90 days dropped, with their players")
            << QList<QPoint>{{0, 40}, {91 * 24 * 60, RollUpHere}} << 0 << 0 << 0 << 0.0 << 0 << 0;
    }

    void RollsUp() {
        QFETCH(QList<QPoint>, steps);
        QFETCH(int, hours);
        {
            HistoryStore store;
            QVERIFY(store.Open(Path()));
            for (const QPoint& step : steps) {
                const QDateTime when = Start.addSecs(step.x() * 60);
                if (step.y() == RollUpHere)
                    QVERIFY(store.RollUp(when));
                else
                    QVERIFY(store.Record({Answer("a:1", step.y())}, when));
            }
            const QList<HourRow> rows = store.AllHours();
            QCOMPARE(rows.size(), hours);
            if (hours > 0) {
                QTEST(rows[0].answers, "answers");
                QTEST(rows[0].silences, "silences");
                QTEST(rows[0].pingMedian, "ping");
                QCOMPARE(rows[0].maps.size(), rows[0].answers > 0 ? 1 : 0);
            }
            QTEST(int(store.PlayersSeenOn("a:1", 5).size()), "seen");
        }
        QTEST(OnFile(Path(), "SELECT count(*) FROM samples").toInt(), "raw");
    }

    void KeepsBadFilesAndTurnsOff_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("setAside");
        QTest::addColumn<QString>("problem");
        QTest::newRow("empty file, version 0, migrated") << "empty" << false << "";
        QTest::newRow("not SQLite") << "garbage" << true << "was damaged; it is kept as";
        QTest::newRow("damaged pages") << "pages" << true << "was damaged; it is kept as";
        QTest::newRow("newer version") << "newer" << false << "of a newer Vantrel";
        QTest::newRow("locked") << "locked" << false << "locked by another program";
        QTest::newRow("folder not writable") << "folder" << false << "cannot be written";
    }

    void KeepsBadFilesAndTurnsOff() {
        QFETCH(QString, kind);
        QFETCH(QString, problem);
        QFETCH(bool, setAside);
        QString path = Path();
        QFile file(path);
        if (kind == "pages" || kind == "newer") {
            HistoryStore store;
            QVERIFY(store.Open(path));
            QVERIFY(store.Record({Answer("a:1", 40)}, Start));
        }
        if (kind == "newer")
            OnFile(path, "PRAGMA user_version = 99");
        QVERIFY(file.open(QIODevice::ReadWrite));
        if (kind == "garbage")
            file.write("Not a database at all, but long enough to look like one.");
        else if (kind == "pages")
            file.seek(4096) && file.write(QByteArray(4096 * 3, '\xee'));
        file.close();
        if (kind == "folder")
            path = dir.filePath("history.sqlite/inner/history.sqlite");
        const QByteArray before = Contents(Path());
        QSqlDatabase holder;
        if (kind == "locked") {
            holder = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "holder");
            holder.setDatabaseName(path);
            QVERIFY(holder.open());
            QSqlQuery(holder).exec("BEGIN EXCLUSIVE");
        }
        {
            HistoryStore store;
            QCOMPARE(store.Open(path), problem.isEmpty());
            QVERIFY2(store.Problem().contains(problem), qPrintable(store.Problem()));
            QCOMPARE(store.Record({Answer("a:1", 40)}, Start), problem.isEmpty());
        }
        holder = {};
        QSqlDatabase::removeDatabase("holder");
        const QStringList aside = QDir(dir.path()).entryList({"history.sqlite.corrupt-*"});
        QCOMPARE(aside.size(), setAside ? 1 : 0);
        if (setAside) {
            QCOMPARE(Contents(dir.filePath(aside[0])), before);
            QVERIFY(!QFile::exists(Path()));
        } else if (!problem.isEmpty()) {
            QCOMPARE(Contents(Path()), before);
        } else {
            QCOMPARE(OnFile(path, "PRAGMA user_version").toInt(), 1);
        }
    }
};

VANTREL_TEST(TestHistoryStore)
#include "TestHistoryStore.moc"
