#include "OptionsControls.h"

#include "Settings.h"
#include "TemplateWidgets.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

OptionsControls FindOptionsControls(QWidget& window) {
    return {
        ControlNamed<QCheckBox>(window, "asciinames"),
        ControlNamed<QCheckBox>(window, "asciiserver"),
        ControlNamed<QCheckBox>(window, "asciirules"),
        ControlNamed<QCheckBox>(window, "nametrickery"),
        ControlNamed<QCheckBox>(window, "autoupdate"),
        ControlNamed<QLineEdit>(window, "updatetime"),
        ControlNamed<QLineEdit>(window, "timeout"),
        ControlNamed<QLineEdit>(window, "quakename"),
        ControlNamed<QLineEdit>(window, "exe"),
        ControlNamed<QLineEdit>(window, "quakepath"),
        ControlNamed<QPushButton>(window, "browseButton"),
        ControlNamed<QLineEdit>(window, "commandline"),
        ControlNamed<QLineEdit>(window, "watchseconds"),
        ControlNamed<QPushButton>(window, "okButton"),
        ControlNamed<QPushButton>(window, "cancelButton"),
    };
}

std::vector<ExchangeBinding> OptionsBindings(const OptionsControls& c, Settings& s) {
    return {
        {c.asciinames, &s.asciinames, {}},
        {c.asciirules, &s.asciirules, {}},
        {c.asciiserver, &s.asciiserver, {}},
        {c.nametrickery, &s.nametrickery, {}},
        {c.quakepath, &s.quakepath, {}},
        {c.quakename, &s.quakename, {}},
        {c.timeout, &s.timeout, std::pair{1, 120}},
        {c.commandline, &s.commandline, {}},
        {c.exe, &s.exe, {}},
        {c.autoupdate, &s.autoupdate, {}},
        {c.updatetime, &s.updatetime, std::pair{1, 6000}},
        {c.watchseconds, &s.watchseconds, std::pair{ShortestWatchSeconds, LongestWatchSeconds}},
    };
}
