#include "HistoryReports.h"

#include <QRegularExpression>

namespace {

// A field with a separator, a quote or a line break goes in quotes, its quotes doubled.
QString Field(QString text) {
    if (!text.contains(QRegularExpression(QStringLiteral("[\",\r\n]"))))
        return text;
    return u'"' + text.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

QByteArray HistoryCsv(const QList<HourRow>& hours) {
    const QString lineEnd = QStringLiteral("\r\n");
    QString csv = QStringLiteral("server,hour,answers,silences,ping_median,ping_spread,"
                                 "players_mean,players_max,maps") +
                  lineEnd;
    for (const HourRow& h : hours) {
        csv += QStringList{Field(h.server),
                           h.hour.toUTC().toString(Qt::ISODate),
                           QString::number(h.answers),
                           QString::number(h.silences),
                           QString::number(h.pingMedian),
                           QString::number(h.pingSpread),
                           QString::number(h.playersMean),
                           QString::number(h.playersMax),
                           Field(h.maps.join(u' '))}
                   .join(u',') +
               lineEnd;
    }
    return csv.toUtf8();
}
