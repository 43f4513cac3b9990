#include "ServerHeaderState.h"

#include "ServerColumns.h"

#include <QHeaderView>
#include <QSettings>
#include <algorithm>

namespace {

const QString HeaderKey = QStringLiteral("header");
const QString ColumnsKey = QStringLiteral("columns");

} // namespace

void RestoreServerHeader(QHeaderView& header, const QSettings& store) {
    const bool stored = header.restoreState(store.value(HeaderKey).toByteArray());
    // A column the stored header did not know would show: one hidden by default is hidden. A
    // header stored before the count was kept knew none of those.
    const int known = stored ? store.value(ColumnsKey, 0).toInt() : 0;
    for (int column = std::max(known, 0); column < ServerColumnCount; ++column)
        if (ColumnInfo(column).hiddenByDefault)
            header.hideSection(column);
    if (stored)
        return;
    header.setSortIndicator(PlayersColumn, Qt::DescendingOrder);
    // No narrower than the title with its sort mark.
    for (int column = 0; column < ServerColumnCount; ++column)
        header.resizeSection(column, std::max(header.fontMetrics().averageCharWidth() *
                                                  ColumnInfo(column).widthChars,
                                              header.sectionSizeHint(column)));
}

void SaveServerHeader(const QHeaderView& header, QSettings& store) {
    store.setValue(HeaderKey, header.saveState());
    store.setValue(ColumnsKey, int(ServerColumnCount));
}
