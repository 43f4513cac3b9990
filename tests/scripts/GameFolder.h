#pragma once

#include "PlayerNameList.h"
#include "ScriptWriter.h"
#include "Settings.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryDir>

// A game folder in a temporary folder, with its data folder spelled as given.
class GameFolder {
public:
    explicit GameFolder(const QString& dataFolderName = QStringLiteral("ID1"))
        : data(dir.filePath(dataFolderName)) {
        QDir(dir.path()).mkdir(dataFolderName);
        settings.quakepath = dir.path();
        settings.nametrickery = 1;
        settings.quakename = QStringLiteral("Vantrel v.70");
    }

    // What the writer reads at every step; tests change it in between.
    Settings settings;

    QString Script(const QString& name) const { return data + u'/' + name; }
    bool Has(const QString& name) const { return QFileInfo(Script(name)).isFile(); }
    QByteArray Read(const QString& name) const {
        QFile file(Script(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void Put(const QString& name, const QByteArray& bytes) const {
        QFile file(Script(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

private:
    QTemporaryDir dir;
    QString data;
};

inline QString NameScript(int i) {
    return QStringLiteral("vtnm%1.scr").arg(i);
}

// One query as the reply handlers drive it: start, server info, every player once.
inline void RunQuery(ScriptWriter& writer, const QList<QByteArray>& players) {
    const int count = int(players.size());
    PlayerNameList names;
    names.Resize(count);
    writer.RestartScripts();
    writer.WriteScrollNames(count);
    for (int i = 0; i < count; ++i) {
        names.Set(i, players[i].toStdString());
        writer.WriteNameScript(i, players[i].toStdString());
    }
    writer.WritePlayerList(count, names);
}

inline QByteArray MyNameLine(const QByteArray& quakename) {
    return "alias myname \"name " + quakename + "\";myname\n";
}

// Lines 1 to 21 of the main script with name trickery on.
inline QByteArray Header(const QByteArray& quakename) {
    QByteArray header = "alias showplayers \"exec vantrel.scr\"\n" + MyNameLine(quakename);
    for (int i = 0; i < 16; ++i)
        header += QStringLiteral("alias nm%1 \"exec vtnm%1.scr\"\n").arg(i).toLatin1();
    return header +
           "alias wait2 \"wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;"
           "wait;wait\"\n"
           "alias wait3 \"wait2;wait2;wait2\"\n"
           "clear\n";
}
