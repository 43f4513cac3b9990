#include "GameText.h"
#include "HistoryReports.h"
#include "TextTable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>

namespace {

// From no players at all to the busiest hour of the grid.
const QString Shades = QStringLiteral(" .:-=+*#%@");
const QStringList DayNames{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

QChar Shade(double mean, double busiest) {
    if (mean <= 0 || busiest <= 0)
        return Shades.front();
    const int top = int(Shades.size()) - 1;
    return Shades.at(std::clamp(int(std::ceil(mean / busiest * top)), 1, top));
}

QString Grid(const QString& server, const BusyHours& busy) {
    double busiest = 0;
    for (const auto& day : busy)
        busiest = std::max(busiest, *std::max_element(day.begin(), day.end()));
    QString grid =
        QStringLiteral("Busy hours of %1 (UTC), mean players from '%2' none to '%3' %4\n")
            .arg(server, Shades.front(), Shades.back())
            .arg(busiest, 0, 'f', 1);
    grid += QStringLiteral("   ");
    for (int hour = 0; hour < 24; ++hour)
        grid += QStringLiteral(" %1").arg(hour, 2, 10, QLatin1Char('0'));
    grid += u'\n';
    for (qsizetype day = 0; day < DayNames.size(); ++day) {
        QString line = DayNames[day];
        for (const double mean : busy[size_t(day)])
            line += QStringLiteral("  ") + Shade(mean, busiest);
        grid += line.trimmed() + u'\n';
    }
    return grid;
}

QString HourText(const QDateTime& hour) {
    return hour.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QStringList PrintableMaps(const QStringList& maps) {
    QStringList shown;
    for (const QString& map : maps)
        shown << Printable(map);
    return shown;
}

} // namespace

QString HistoryTextReport(const QString& server, const BusyHours& busy,
                          const QList<HourRow>& hours) {
    QString text = Grid(server, busy) + u'\n';
    if (hours.isEmpty())
        return text + QStringLiteral("no hours kept in these days\n");
    QList<QStringList> rows{
        {"Hour (UTC)", "Answers", "Silences", "Ping", "Spread", "Players", "Max", "Maps"}};
    for (const HourRow& h : hours) {
        const bool answered = h.answers > 0;
        const auto shown = [answered](const QString& text) {
            return answered ? text : QStringLiteral("-");
        };
        rows.append({HourText(h.hour), QString::number(h.answers), QString::number(h.silences),
                     shown(QStringLiteral("%1 ms").arg(std::lround(h.pingMedian))),
                     shown(QStringLiteral("%1 ms").arg(std::lround(h.pingSpread))),
                     shown(QString::number(h.playersMean, 'f', 1)),
                     shown(QString::number(h.playersMax)),
                     PrintableMaps(h.maps).join(QStringLiteral(", "))});
    }
    using enum Align;
    return text + TextTable({Left, Right, Right, Right, Right, Right, Right, Left}, rows);
}

QByteArray HistoryJsonReport(const QString& server, const BusyHours& busy,
                             const QList<HourRow>& hours) {
    QJsonArray grid;
    for (const auto& day : busy) {
        QJsonArray means;
        for (const double mean : day)
            means.append(mean);
        grid.append(means);
    }
    QJsonArray rows;
    for (const HourRow& h : hours) {
        rows.append(QJsonObject{{"hour", h.hour.toUTC().toString(Qt::ISODate)},
                                {"answers", h.answers},
                                {"silences", h.silences},
                                {"pingMedian", h.pingMedian},
                                {"pingSpread", h.pingSpread},
                                {"playersMean", h.playersMean},
                                {"playersMax", h.playersMax},
                                {"maps", QJsonArray::fromStringList(h.maps)}});
    }
    const QJsonObject document{{"server", server}, {"busyHours", grid}, {"hours", rows}};
    return QJsonDocument(document).toJson(QJsonDocument::Compact) + '\n';
}
