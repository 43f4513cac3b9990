#include "ServerFilterControls.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

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
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    text = AddField(*layout, QStringLiteral("&Filter:"), QStringLiteral("name, map or address"));
    player = AddField(*layout, QStringLiteral("Find &player:"), QStringLiteral("part of a name"));
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
        layout->addWidget(box);
        connect(box, &QCheckBox::toggled, this, changed);
    }
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
