#include "MastersDialog.h"

#include "ListField.h"
#include "Prompts.h"
#include "ServerListText.h"
#include "ServerLists.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

MastersDialog::MastersDialog(const QList<HostPort>& masters, const QStringList& games,
                             Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts(prompts), masters(masters), games(games) {
    setWindowTitle(QStringLiteral("Masters"));
    auto* layout = new QVBoxLayout(this);
    mastersText = AddListField(*layout,
                               QStringLiteral("&Master servers, one a line (HOST or HOST:PORT, "
                                              "port %1 when none is given):")
                                   .arg(DefaultMasterPort),
                               ServerLinesText(masters), 5);
    gamesText =
        AddListField(*layout, QStringLiteral("&Game names, one a line:"), games.join(u'\n'), 3);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &MastersDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &MastersDialog::reject);
    resize(fontMetrics().averageCharWidth() * 70, sizeHint().height());
}

void MastersDialog::accept() {
    QString error;
    const std::optional<QList<HostPort>> newMasters =
        ParseServerLines(mastersText->toPlainText(), DefaultMasterPort, error);
    if (!newMasters) {
        prompts.Ok(this, windowTitle(), QStringLiteral("Master servers: ") + error);
        mastersText->setFocus();
        return;
    }
    const std::optional<QStringList> newGames = ParseGameLines(gamesText->toPlainText(), error);
    if (!newGames) {
        prompts.Ok(this, windowTitle(), QStringLiteral("Game names: ") + error);
        gamesText->setFocus();
        return;
    }
    if (!newMasters->isEmpty() && newGames->isEmpty()) {
        prompts.Ok(this, windowTitle(), QStringLiteral("Give a game name to ask the masters for."));
        gamesText->setFocus();
        return;
    }
    masters = *newMasters;
    games = *newGames;
    QDialog::accept();
}
