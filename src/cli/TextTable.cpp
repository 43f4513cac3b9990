#include "TextTable.h"

#include <algorithm>

QString TextTable(const QList<Align>& aligns, const QList<QStringList>& rows) {
    QList<qsizetype> widths(aligns.size(), 0);
    for (const QStringList& row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    QString table;
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                line += QStringLiteral("  ");
            line += aligns[c] == Align::Left ? row[c].leftJustified(widths[c])
                                             : row[c].rightJustified(widths[c]);
        }
        while (line.endsWith(u' '))
            line.chop(1);
        table += line + u'\n';
    }
    return table;
}
