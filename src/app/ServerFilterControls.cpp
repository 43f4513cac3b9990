#include "ServerFilterControls.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QLineEdit* AddField(QHBoxLayout& layout, const QString& label, const QString& placeholder) {
    auto* field = new QLineEdit;
    field->setPlaceholderText(placeholder);
    field->setClearButtonEnabled(true);
    auto* caption = new QLabel(label);
    caption->setBuddy(field);
    layout.addWidget(caption);
    layout.addWidget(field, 1);
    return field;
}

} // namespace

ServerFilterControls::ServerFilterControls(QWidget* parent) : QWidget(parent) {
    // The texts above, the check boxes below, so that the fields keep room in a narrow window.
    auto* fields = new QHBoxLayout;
    auto* boxes = new QHBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(fields);
    layout->addLayout(boxes);
    text = AddField(*fields, QStringLiteral("&Filter:"), QStringLiteral("name, map or address"));
    player = AddField(*fields, QStringLiteral("Find &player:"), QStringLiteral("part of a name"));
    player->setObjectName(QStringLiteral("findPlayer"));
    hideEmpty = new QCheckBox(QStringLiteral("Hide &empty"));
    hideFull = new QCheckBox(QStringLiteral("Hide f&ull"));
    netQuakeOnly = new QCheckBox(QStringLiteral("&NetQuake only"));
    netQuakeOnly->setObjectName(QStringLiteral("netQuakeOnly"));
    netQuakeOnly->setChecked(ServerFilter().netQuakeOnly);
    netQuakeOnly->setToolTip(
        QStringLiteral("Hide the servers that answer only DarkPlaces' and QuakeWorld's requests"));
    const auto changed = [this] {
        emit Changed(Filter());
    };
    for (QLineEdit* field : {text, player})
        connect(field, &QLineEdit::textChanged, this, changed);
    for (QCheckBox* box : {hideEmpty, hideFull, netQuakeOnly}) {
        boxes->addWidget(box);
        connect(box, &QCheckBox::toggled, this, changed);
    }
    boxes->addStretch(1);
}

ServerFilter ServerFilterControls::Filter() const {
    ServerFilter filter;
    filter.text = text->text();
    filter.player = player->text().trimmed();
    filter.hideEmpty = hideEmpty->isChecked();
    filter.hideFull = hideFull->isChecked();
    filter.netQuakeOnly = netQuakeOnly->isChecked();
    return filter;
}
