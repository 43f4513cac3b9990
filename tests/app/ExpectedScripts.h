#pragma once

#include <QByteArray>
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

// The main script's line that shows a player's alias and name.
inline QByteArray EchoLine(int player, const QByteArray& name) {
    return "echo \"\x8d nm" + QByteArray::number(player) + " \x8f " + name + "\"\n";
}
