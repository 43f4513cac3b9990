#pragma once

#include "HostPort.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class Prompts;
class QPlainTextEdit;

// Edits the masters the browser asks and the game names it asks them for, one a line. OK keeps
// the dialog open on a line it cannot use, and says which.
class MastersDialog final : public QDialog {
    Q_OBJECT

public:
    MastersDialog(const QList<HostPort>& masters, const QStringList& games, Prompts& prompts,
                  QWidget* parent = nullptr);

    const QList<HostPort>& Masters() const { return masters; }
    const QStringList& Games() const { return games; }

    void accept() override;

private:
    Prompts& prompts;
    QPlainTextEdit* mastersText;
    QPlainTextEdit* gamesText;
    QList<HostPort> masters;
    QStringList games;
};
