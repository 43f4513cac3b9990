#pragma once

#include "settings/Settings.h"

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
    }

    QString Path() const { return dir.path(); }
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

inline Settings ScriptSettings(const QString& quakepath, int nametrickery = 1,
                               const QString& quakename = QStringLiteral("Vantrel v.70")) {
    Settings settings;
    settings.quakepath = quakepath;
    settings.nametrickery = nametrickery;
    settings.quakename = quakename;
    return settings;
}

inline QByteArray MyNameLine(const QByteArray& quakename) {
    return "alias myname \"name " + quakename + "\";myname\n";
}

// Lines 1 to 21 of the main script with name trickery on.
inline QByteArray Header(const QByteArray& quakename) {
    return "alias showplayers \"exec vantrel.scr\"\n" + MyNameLine(quakename) +
           "alias nm0 \"exec vtnm0.scr\"\n"
           "alias nm1 \"exec vtnm1.scr\"\n"
           "alias nm2 \"exec vtnm2.scr\"\n"
           "alias nm3 \"exec vtnm3.scr\"\n"
           "alias nm4 \"exec vtnm4.scr\"\n"
           "alias nm5 \"exec vtnm5.scr\"\n"
           "alias nm6 \"exec vtnm6.scr\"\n"
           "alias nm7 \"exec vtnm7.scr\"\n"
           "alias nm8 \"exec vtnm8.scr\"\n"
           "alias nm9 \"exec vtnm9.scr\"\n"
           "alias nm10 \"exec vtnm10.scr\"\n"
           "alias nm11 \"exec vtnm11.scr\"\n"
           "alias nm12 \"exec vtnm12.scr\"\n"
           "alias nm13 \"exec vtnm13.scr\"\n"
           "alias nm14 \"exec vtnm14.scr\"\n"
           "alias nm15 \"exec vtnm15.scr\"\n"
           "alias wait2 \"wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;"
           "wait;wait\"\n"
           "alias wait3 \"wait2;wait2;wait2\"\n"
           "clear\n";
}

inline QByteArray EchoLine(int i, const QByteArray& name) {
    return "echo \"\x8D nm" + QByteArray::number(i) + " \x8F " + name + "\"\n";
}

int RunScriptContentTests(int argc, char** argv);
int RunScriptLifecycleTests(int argc, char** argv);
int RunHostileNameTests(int argc, char** argv);
int RunPlayerNameListTests(int argc, char** argv);
