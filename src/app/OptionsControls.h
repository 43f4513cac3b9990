#pragma once

#include "DataExchange.h"

#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QWidget;
struct Settings;

// The Options dialog's controls, created from its template.
struct OptionsControls {
    QCheckBox* asciinames;
    QCheckBox* asciiserver;
    QCheckBox* asciirules;
    QCheckBox* nametrickery;
    QCheckBox* autoupdate;
    QLineEdit* updatetime;
    QLineEdit* timeout;
    QLineEdit* quakename;
    QLineEdit* exe;
    QLineEdit* quakepath;
    QPushButton* browseButton;
    QLineEdit* commandline;
    QLineEdit* watchseconds;
    QPushButton* okButton;
    QPushButton* cancelButton;
};

OptionsControls FindOptionsControls(QWidget& window);

// The options and their controls, in the order in which they are exchanged.
std::vector<ExchangeBinding> OptionsBindings(const OptionsControls& controls, Settings& settings);
