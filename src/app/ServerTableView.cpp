#include "ServerTableView.h"

#include "ColumnChoice.h"

#include <QHeaderView>
#include <QTableView>

QTableView* NewServerTable(QAbstractItemModel& servers, QWidget* parent) {
    auto* table = new QTableView(parent);
    table->setModel(&servers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setAlternatingRowColors(true);
    table->setShowGrid(false);
    table->setWordWrap(false);
    table->setContextMenuPolicy(Qt::CustomContextMenu);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setHighlightSections(false);
    OfferColumnChoice(*table->horizontalHeader());
    table->setSortingEnabled(true);
    return table;
}
