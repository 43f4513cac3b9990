#include "BuddiesDialog.h"

#include "ListField.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

BuddiesDialog::BuddiesDialog(const QStringList& buddies, const QString& seenText, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Buddies"));
    auto* layout = new QVBoxLayout(this);
    names = AddListField(*layout,
                         QStringLiteral("&Buddies, one a line (a server has a buddy when a "
                                        "player's name holds one, whatever the case):"),
                         buddies.join(u'\n'), 8);
    auto* seen = new QLabel(QStringLiteral("Last seen:\n") + seenText, this);
    seen->setTextInteractionFlags(Qt::TextSelectableByMouse);
    seen->setVisible(!seenText.isEmpty());
    layout->addWidget(seen);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &BuddiesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &BuddiesDialog::reject);
    resize(fontMetrics().averageCharWidth() * 50, sizeHint().height());
}

QStringList BuddiesDialog::Buddies() const {
    QStringList buddies;
    for (const QString& line : names->toPlainText().split(u'\n')) {
        const QString name = line.trimmed();
        if (!name.isEmpty() && !buddies.contains(name))
            buddies << name;
    }
    return buddies;
}
