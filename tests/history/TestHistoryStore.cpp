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

HistorySample Answer(const QString& server, int ping, QList<QByteArray> names = {},
                     const QString& map = QStringLiteral("e1m1")) {
    HistorySample sample{server, true,
                         ping,   int(names.size()),
                         16,     QStringLiteral("A server"),
                         map,    QStringLiteral("id1"),
                         names};
    return sample;
}

HistorySample Silence(const QString& server) {
    HistorySample sample;
    sample.server = server;
    return sample;
}

// Statements run on the file through a connection of the test's own; the last one's first value.
QVariant OnFile(const QString& path, const QStringList& statements) {
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "test");
        db.setDatabaseName(path);
        db.open();
        for (const QString& statement : statements) {
            QSqlQuery query(db);
            query.exec(statement);
            value = query.next() ? query.value(0) : QVariant();
        }
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
        QVERIFY(dir.isValid());
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files))
            QVERIFY(QFile::remove(dir.filePath(name)));
    }

    void RecordsAndReadsRawSamples() {
        HistoryStore store;
        QVERIFY2(store.Open(Path()), qPrintable(store.Problem()));
        QVERIFY(store.Record({Answer("a:26000", 40, {"Wanderer", "grunt"}), Silence("b:26000")},
                             Start));
        QVERIFY(store.Record({Answer("a:26000", 60, {"grunt"}, "e1m2"), Silence("b:26000")},
                             Start.addSecs(60)));
        QVERIFY(store.Record({Silence("a:26000")}, Start.addSecs(3600)));

        const QList<HourRow> hours = store.Hours("a:26000", Start, Start.addDays(1));
        QCOMPARE(hours.size(), 2);
        QCOMPARE(hours[0].hour, Start);
        QCOMPARE(hours[0].answers, 2);
        QCOMPARE(hours[0].pingMedian, 50.0);
        QCOMPARE(hours[0].pingSpread, 16.0);
        QCOMPARE(hours[0].playersMean, 1.5);
        QCOMPARE(hours[0].playersMax, 2);
        QCOMPARE(hours[0].maps, QStringList({"e1m1", "e1m2"}));
        QCOMPARE(hours[1].silences, 1);
        QCOMPARE(hours[1].answers, 0);
        QCOMPARE(store.AllHours().size(), 3);
        QCOMPARE(store.Busy("a:26000")[0][10], 1.5);

        QCOMPARE(store.LastAnswered("a:26000"), Start.addSecs(60));
        QVERIFY(!store.LastAnswered("b:26000"));
        const QList<PlayerSeen> seen = store.PlayersSeenOn("a:26000", 10);
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[0].name, QByteArray("grunt"));
        QCOMPARE(seen[0].first, Start);
        QCOMPARE(seen[0].last, Start.addSecs(60));
        const auto wanderer = store.LastSeen("WAND");
        QVERIFY(wanderer);
        QCOMPARE(wanderer->server, QString("a:26000"));
        QCOMPARE(wanderer->last, Start);
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
        QVERIFY(samples[0].answered);
        QCOMPARE(std::tuple(samples[0].pingMs, samples[0].players, samples[0].maxPlayers),
                 std::tuple(35, 2, 8));
        QCOMPARE(samples[0].map + samples[0].mod, QString("dm4hipnotic"));
        QCOMPARE(samples[0].playerNames, QList<QByteArray>({"\xc1\xe2", "d"}));
        QVERIFY(!samples[1].answered);
        QVERIFY(samples[1].playerNames.isEmpty());
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
        QTest::newRow("two hours") << QList<QPoint>{{0, 40}, {61, -1}, {past + 60, RollUpHere}} << 2
                                   << 1 << 0 << 40.0 << 0 << 1;
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
                    QVERIFY(store.Record(
                        {step.y() < 0 ? Silence("a:1") : Answer("a:1", step.y(), {"grunt"})},
                        when));
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
        QTEST(OnFile(Path(), {"SELECT count(*) FROM samples"}).toInt(), "raw");
    }

    void KeepsBadFilesAndTurnsOff_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<bool>("setAside");
        QTest::newRow("empty file, version 0, migrated") << "empty"
                                                         << "" << false;
        QTest::newRow("not SQLite") << "garbage"
                                    << "was damaged; it is kept as" << true;
        QTest::newRow("damaged pages") << "pages"
                                       << "was damaged; it is kept as" << true;
        QTest::newRow("newer version") << "newer"
                                       << "of a newer Vantrel" << false;
        QTest::newRow("locked") << "locked"
                                << "locked by another program" << false;
        QTest::newRow("folder not writable") << "folder"
                                             << "cannot be written" << false;
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
            QVERIFY(store.Record({Answer("a:1", 40, {"grunt"})}, Start));
        }
        if (kind == "newer")
            OnFile(path, {"PRAGMA user_version = 99"});
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
            QSqlQuery(holder).exec("CREATE TABLE kept (a)");
        }
        {
            HistoryStore store;
            QCOMPARE(store.Open(path), problem.isEmpty());
            QVERIFY2(store.Problem().contains(problem), qPrintable(store.Problem()));
            QCOMPARE(store.Record({Answer("a:1", 40)}, Start), problem.isEmpty());
        }
        if (kind == "locked") {
            holder.close();
            holder = {};
            QSqlDatabase::removeDatabase("holder");
        }
        const QStringList aside = QDir(dir.path()).entryList({"history.sqlite.corrupt-*"});
        QCOMPARE(aside.size(), setAside ? 1 : 0);
        if (setAside) {
            QCOMPARE(Contents(dir.filePath(aside[0])), before);
            QVERIFY(!QFile::exists(Path()));
        } else if (!problem.isEmpty()) {
            QCOMPARE(Contents(Path()), before);
        } else {
            QCOMPARE(OnFile(path, {"PRAGMA user_version"}).toInt(), 1);
        }
    }
};

VANTREL_TEST(TestHistoryStore)
#include "TestHistoryStore.moc"
