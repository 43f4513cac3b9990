#include "DataExchange.h"

#include "AppName.h"
#include "Prompts.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

using Field = std::variant<QString*, int*, Ping*>;

QString Shown(const Field& field) {
    if (QString* const* text = std::get_if<QString*>(&field))
        return **text;
    if (int* const* number = std::get_if<int*>(&field))
        return QString::number(**number);
    return PingText(**std::get_if<Ping*>(&field));
}

} // namespace

DataExchange::DataExchange(std::vector<ExchangeBinding> bindings, Prompts& prompts)
    : bindings(std::move(bindings)), prompts(prompts) {}

void DataExchange::ToControls() {
    for (const ExchangeBinding& b : bindings) {
        if (QLineEdit* const* edit = std::get_if<QLineEdit*>(&b.control)) {
            (*edit)->setText(Shown(b.field));
        } else if (int* const* flag = std::get_if<int*>(&b.field)) {
            (*std::get_if<QCheckBox*>(&b.control))->setChecked(**flag == 1);
        }
    }
}

bool DataExchange::FromControls() {
    for (const ExchangeBinding& b : bindings) {
        if (QLineEdit* const* edit = std::get_if<QLineEdit*>(&b.control)) {
            if (!Read(*edit, b))
                return false;
        } else if (int* const* flag = std::get_if<int*>(&b.field)) {
            **flag = (*std::get_if<QCheckBox*>(&b.control))->isChecked() ? 1 : 0;
        }
    }
    return true;
}

bool DataExchange::Read(QLineEdit* edit, const ExchangeBinding& b) {
    const QString text = edit->text();
    bool ok = true;
    if (QString* const* textField = std::get_if<QString*>(&b.field)) {
        **textField = text;
    } else if (int* const* numberField = std::get_if<int*>(&b.field)) {
        const int number = text.trimmed().toInt(&ok, 10);
        if (!ok)
            return Refuse(edit, QStringLiteral("Please enter an integer."));
        **numberField = number;
        if (b.range && (number < b.range->first || number > b.range->second)) {
            return Refuse(edit, QStringLiteral("Please enter an integer between %1 and %2.")
                                    .arg(b.range->first)
                                    .arg(b.range->second));
        }
    } else if (Ping* const* pingField = std::get_if<Ping*>(&b.field)) {
        const std::optional<Ping> ping = PingFromText(text);
        if (!ping)
            return Refuse(edit, QStringLiteral("Please enter a number."));
        **pingField = *ping;
    }
    return true;
}

bool DataExchange::Refuse(QLineEdit* edit, const QString& message) {
    prompts.Ok(edit->window(), ApplicationName, message);
    edit->setFocus();
    edit->selectAll();
    return false;
}
