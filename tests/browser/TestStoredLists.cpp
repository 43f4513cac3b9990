#include "StoredServerLists.h"
#include "TestRegistry.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class TestStoredLists : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    // Two copies of the program on one file, changing the lists in turn: each change is made to
    // the lists as the file holds them, so neither copy loses the other's.
    void CopiesKeepEachOthersChanges() {
        QSettings fileA(dir.filePath("shared.ini"), QSettings::IniFormat);
        QSettings fileB(fileA.fileName(), QSettings::IniFormat);
        StoredServerLists a(fileA), b(fileB);
        a.SetFavourite({"a", 1}, true);
        b.SetFavourite({"b", 2}, true);
        b.NoteQueried({"r", 3});
        a.NoteQueried({"s", 4});
        QCOMPARE(a.Lists().favourites, (QList<HostPort>{{"a", 1}, {"b", 2}}));
        QCOMPARE(a.Lists().recent, (QList<HostPort>{{"s", 4}, {"r", 3}}));
    }

    // A group of a later layout, found at the start or written by another copy since, shows as
    // the defaults, refuses every change and stays as that version wrote it, to the byte.
    void LaterLayoutIsLeftAlone() {
        QFile file(dir.filePath("later.ini"));
        QSettings store(file.fileName(), QSettings::IniFormat);
        StoredServerLists before(store);
        const QByteArray later = "[browser]\nversion=2\nrecent\\1\\host=a\nrecent\\1\\port=1\n"
                                 "recent\\size=1\n";
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(later));
        file.close();
        before.SetFavourite({"b", 2}, true);
        StoredServerLists after(store);
        after.NoteQueried({"b", 2});
        QVERIFY(before.ReadOnly() && after.ReadOnly() && after.Lists().recent.isEmpty());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), later);
    }
};

VANTREL_TEST(TestStoredLists)

#include "TestStoredLists.moc"
