#include "ColumnChoice.h"

#include <QHeaderView>
#include <QMenu>

namespace {

void ShowColumnMenu(QHeaderView& header, const QPoint& position) {
    QMenu menu(&header);
    const int shown = header.count() - header.hiddenSectionCount();
    for (int section = 0; section < header.count(); ++section) {
        QAction* entry =
            menu.addAction(header.model()->headerData(section, header.orientation()).toString());
        entry->setCheckable(true);
        entry->setChecked(!header.isSectionHidden(section));
        entry->setEnabled(shown > 1 || header.isSectionHidden(section));
        QObject::connect(entry, &QAction::toggled, &header, [&header, section](bool checked) {
            header.setSectionHidden(section, !checked);
        });
    }
    menu.exec(header.viewport()->mapToGlobal(position));
}

} // namespace

void OfferColumnChoice(QHeaderView& header) {
    header.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&header, &QHeaderView::customContextMenuRequested, &header,
                     [&header](const QPoint& position) { ShowColumnMenu(header, position); });
}
