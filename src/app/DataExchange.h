#pragma once

#include "Ping.h"

#include <QString>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

class Prompts;
class QCheckBox;
class QLineEdit;

// One field and the control that shows it. An edit shows a text, an integer (with the range that
// it must lie in, if any) or a ping; a check box shows an integer flag, ticked exactly
// when it is 1, and stores 1 when ticked and 0 when clear.
struct ExchangeBinding {
    std::variant<QLineEdit*, QCheckBox*> control;
    std::variant<QString*, int*, Ping*> field;
    std::optional<std::pair<int, int>> range;
};

// Moves a window's fields into their controls and back, field by field in the order given.
// Reading refuses what is not a number where a number belongs, tells the user, puts the focus on
// that control with its text selected and stops there.
class DataExchange {
public:
    DataExchange(std::vector<ExchangeBinding> bindings, Prompts& prompts);

    void ToControls();
    // False when a control's text was refused; the fields before it have been read.
    bool FromControls();

private:
    bool Read(QLineEdit* edit, const ExchangeBinding& binding);
    bool Refuse(QLineEdit* edit, const QString& message);

    std::vector<ExchangeBinding> bindings;
    Prompts& prompts;
};
