#include "DataExchange.h"

#include "AppName.h"
#include "MainControls.h"
#include "Prompts.h"
#include "query/MainFields.h"

#include <QLineEdit>
#include <charconv>

namespace {

// The C library's "%.*g" at precision 15, whatever the user's locale: Qt's own 'g' picks the
// shorter of the two notations and would show 100000 as 1e+05.
QString FormatReal(double value) {
    constexpr int precision = 15;
    char text[32];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, precision);
    return QString::fromLatin1(text, result.ptr - text);
}

using Field = std::variant<QString*, int*, double*>;

QString Shown(const Field& field) {
    if (QString* const* text = std::get_if<QString*>(&field))
        return **text;
    if (int* const* number = std::get_if<int*>(&field))
        return QString::number(**number);
    return FormatReal(*std::get<double*>(field));
}

} // namespace

DataExchange::DataExchange(const MainControls& c, MainFields& f, Prompts& prompts)
    : bindings{
          {c.serverName, &f.serverName, {}},
          {c.currentPlayers, &f.currentPlayers, {}},
          {c.maxPlayers, &f.maxPlayers, {}},
          {c.serverHost, &f.serverHost, {}},
          {c.mapName, &f.mapName, {}},
          {c.port, &f.port, std::pair{1, 65534}},
          {c.serverAddress, &f.serverAddress, {}},
          {c.ping, &f.ping, {}},
      },
      prompts(prompts) {}

void DataExchange::ToControls() {
    for (const Binding& b : bindings)
        b.edit->setText(Shown(b.field));
}

bool DataExchange::FromControls() {
    for (const Binding& b : bindings) {
        if (!Read(b))
            return false;
    }
    return true;
}

bool DataExchange::Read(const Binding& b) {
    const QString text = b.edit->text();
    bool ok = true;
    if (QString* const* textField = std::get_if<QString*>(&b.field)) {
        **textField = text;
    } else if (int* const* numberField = std::get_if<int*>(&b.field)) {
        const int number = text.trimmed().toInt(&ok, 10);
        if (!ok)
            return Refuse(b.edit, QStringLiteral("Please enter an integer."));
        **numberField = number;
        if (b.range && (number < b.range->first || number > b.range->second)) {
            return Refuse(b.edit, QStringLiteral("Please enter an integer between %1 and %2.")
                                      .arg(b.range->first)
                                      .arg(b.range->second));
        }
    } else if (double* const* realField = std::get_if<double*>(&b.field)) {
        const double real = text.trimmed().toDouble(&ok);
        if (!ok)
            return Refuse(b.edit, QStringLiteral("Please enter a number."));
        **realField = real;
    }
    return true;
}

bool DataExchange::Refuse(QLineEdit* edit, const QString& message) {
    prompts.Ok(ApplicationName, message);
    edit->setFocus();
    edit->selectAll();
    return false;
}
