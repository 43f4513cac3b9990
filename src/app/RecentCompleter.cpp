#include "RecentCompleter.h"

#include "StoredServerLists.h"

#include <QCompleter>
#include <QLineEdit>
#include <QStandardItemModel>

namespace {
// The list shows host and port; the field is completed with the host alone.
constexpr int HostRole = Qt::UserRole + 1;
constexpr int PortRole = Qt::UserRole + 2;
} // namespace

RecentCompleter::RecentCompleter(QLineEdit& host, QLineEdit& port, const StoredServerLists& lists)
    : QObject(&host), port(port), lists(lists), servers(new QStandardItemModel(this)),
      completer(new QCompleter(servers, this)) {
    completer->setCompletionRole(HostRole);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setModelSorting(QCompleter::UnsortedModel);
    host.setCompleter(completer);
    Fill();
    connect(&lists, &StoredServerLists::RecentChanged, this, &RecentCompleter::Fill);
    connect(completer, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& index) {
                this->port.setText(QString::number(index.data(PortRole).toInt()));
            });
}

void RecentCompleter::Fill() {
    servers->clear();
    for (const HostPort& server : lists.Lists().recent) {
        auto* item = new QStandardItem(HostPortText(server));
        item->setData(server.host, HostRole);
        item->setData(server.port, PortRole);
        servers->appendRow(item);
    }
}
