#pragma once

#include <QString>
#include <optional>
#include <variant>
#include <vector>

class Prompts;
class QLineEdit;
struct MainControls;
struct MainFields;

// Moves the main window's fields into their controls and back, field by field in a fixed order.
// Reading refuses what is not a number where a number belongs, tells the user, puts the focus on
// that control with its text selected and stops there.
class DataExchange {
public:
    DataExchange(const MainControls& controls, MainFields& fields, Prompts& prompts);

    void ToControls();
    // False when a control's text was refused; the fields before it have been read.
    bool FromControls();

private:
    struct Binding {
        QLineEdit* edit;
        std::variant<QString*, int*, double*> field;
        // The accepted range of an integer; checked after the value has been stored.
        std::optional<std::pair<int, int>> range;
    };

    bool Read(const Binding& binding);
    bool Refuse(QLineEdit* edit, const QString& message);

    std::vector<Binding> bindings;
    Prompts& prompts;
};
