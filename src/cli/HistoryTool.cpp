#include "HistoryTool.h"

#include "ExitStatus.h"
#include "HistoryReports.h"
#include "HistoryStore.h"
#include "ProgramName.h"

#include <QIODevice>
#include <QSaveFile>

int ShowHistory(const HistoryOptions& options, const HistoryStore& store, QIODevice& out) {
    const QString server = HostPortText(options.server);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QList<HourRow> hours = store.Hours(server, now.addDays(-options.days), now);
    const BusyHours busy = store.Busy(server);
    if (options.json)
        out.write(HistoryJsonReport(server, busy, hours));
    else
        out.write(HistoryTextReport(server, busy, hours).toUtf8());
    return ExitComplete;
}

int ExportHistory(const HistoryOptions& options, const HistoryStore& store, QIODevice& errors) {
    QSaveFile file(options.exportFile);
    if (file.open(QIODevice::WriteOnly) && file.write(HistoryCsv(store.AllHours())) >= 0 &&
        file.commit())
        return ExitComplete;
    errors.write(
        (ProgramName +
         QStringLiteral(": cannot write %1: %2\n").arg(options.exportFile, file.errorString()))
            .toUtf8());
    return ExitNoHistory;
}
