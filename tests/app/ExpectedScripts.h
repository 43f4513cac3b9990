#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

// The console scripts as the game reads them, for comparing byte for byte.

inline QString NameScript(int player) {
    return QStringLiteral("vtnm%1.scr").arg(player);
}

// The main script's lines before the scroll alias, with name trickery on.
inline QByteArray ScriptHeader(const QByteArray& quakename) {
    QByteArray header = "alias showplayers \"exec vantrel.scr\"\n";
    header += "alias myname \"name " + quakename + "\";myname\n";
    for (int i = 0; i < 16; ++i)
        header += QStringLiteral("alias nm%1 \"exec vtnm%1.scr\"\n").arg(i).toLatin1();
    return header +
           "alias wait2 \"wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;wait;"
           "wait;wait\"\n"
           "alias wait3 \"wait2;wait2;wait2\"\nclear\n";
}

// A name script's only line.
inline QByteArray NameLine(const QByteArray& name) {
    return "name \"" + name + "\"\n";
}

// The whole main script with name trickery on, for the players' names as written: the first
// sixteen take their turn in the scroll alias, and every player's alias and name are echoed.
inline QByteArray MainScript(const QByteArray& quakename, const QByteArrayList& names) {
    QByteArray scroll = "alias scrollnames \"";
    QByteArray echoes;
    for (int i = 0; i < names.size(); ++i) {
        scroll += i < 16 ? "nm" + QByteArray::number(i) + ";wait3;" : QByteArray();
        echoes += "echo \"\x8d nm" + QByteArray::number(i) + " \x8f " + names[i] + "\"\n";
    }
    return ScriptHeader(quakename) + scroll + (names.isEmpty() ? ";" : "") + "myname\"\n" + echoes;
}
