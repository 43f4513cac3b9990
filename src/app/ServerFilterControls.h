#pragma once

#include "ServerFilter.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;

// The Servers window's filter row: a text for names, maps and addresses, a player's name to
// find, and the check boxes. Any change gives the whole filter afresh.
class ServerFilterControls final : public QWidget {
    Q_OBJECT

public:
    explicit ServerFilterControls(QWidget* parent = nullptr);

    ServerFilter Filter() const;

signals:
    void Changed(const ServerFilter& filter);

private:
    QLineEdit* text;
    QLineEdit* player;
    QCheckBox* hideEmpty;
    QCheckBox* hideFull;
    QCheckBox* netQuakeOnly;
};
