#include "HistoryPane.h"

#include "BusyHoursGrid.h"
#include "DisplayName.h"
#include "HistoryCharts.h"
#include "HistoryNotes.h"
#include "HistoryStore.h"
#include "HourlyTable.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QLabel* Title(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

HistoryPane::HistoryPane(const HistoryStore* store, QWidget* parent)
    : QWidget(parent), store(store) {
    message = new QLabel(this);
    message->setWordWrap(true);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget;
    charts = new HistoryCharts(content);
    busy = new BusyHoursGrid(content);
    seen = new QTreeWidget(content);
    seen->setRootIsDecorated(false);
    seen->setAccessibleName(QStringLiteral("Players seen"));
    seen->setHeaderLabels(
        {QStringLiteral("Name"), QStringLiteral("Last seen"), QStringLiteral("First seen")});
    seen->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    hours = new HourlyTable(content);

    auto* grids = new QHBoxLayout;
    auto* busyColumn = new QVBoxLayout;
    busyColumn->addWidget(Title(QStringLiteral("&Busy hours (mean players, UTC):"), busy));
    busyColumn->addWidget(busy);
    busyColumn->addStretch();
    auto* seenColumn = new QVBoxLayout;
    seenColumn->addWidget(Title(QStringLiteral("Players &seen:"), seen));
    seenColumn->addWidget(seen);
    grids->addLayout(busyColumn, 3);
    grids->addLayout(seenColumn, 1);
    auto* inner = new QVBoxLayout(content);
    inner->addWidget(charts);
    inner->addLayout(grids);
    inner->addWidget(Title(QStringLiteral("&Hours:"), hours));
    inner->addWidget(hours);
    scroll->setWidget(content);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(message);
    layout->addWidget(scroll, 1);
    charts->ApplyPalette(palette());
    Show({}, {}, 0);
}

void HistoryPane::Show(const QString& shown, const QDateTime& at, int names) {
    server = shown;
    now = at;
    asciinames = names;
    pending = true;
    if (isVisible())
        Load();
}

void HistoryPane::Load() {
    pending = false;
    const bool on = store && store->Enabled();
    if (!on) {
        message->setText(store ? QStringLiteral("History is off: %1").arg(store->Problem())
                               : QStringLiteral("History is off."));
    }
    const bool chosen = on && !server.isEmpty();
    scroll->setVisible(chosen);
    if (!chosen) {
        if (on)
            message->setText(QStringLiteral("Select a server to see its history."));
        return;
    }
    const QList<HourRow> rows =
        store->Hours(server, now.addSecs(-3600 * HistoryCharts::WeekHours), now);
    message->setText(
        rows.isEmpty()
            ? QStringLiteral("Nothing kept of %1 yet.").arg(server)
            : QStringLiteral("%1: %2 hours kept in the last 7 days.").arg(server).arg(rows.size()));
    charts->Draw(rows, now);
    busy->Show(store->Busy(server));
    hours->Show(rows);
    seen->clear();
    for (const PlayerSeen& player : store->PlayersSeenOn(server, PlayersShown)) {
        seen->addTopLevelItem(new QTreeWidgetItem(
            {ShownPlayerName({player.name.data(), size_t(player.name.size())}, asciinames),
             SeenTime(player.last), SeenTime(player.first)}));
    }
}

void HistoryPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (pending)
        Load();
}

void HistoryPane::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        charts->ApplyPalette(palette());
}

QString HistoryPane::Message() const {
    return message->text();
}
