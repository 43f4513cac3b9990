#include "HeadlessView.h"

#include "ProgramName.h"

#include <QIODevice>

void HeadlessView::AppendRule(const QString& name, const QString& value) {
    rules.append({name, value});
}

void HeadlessView::ShowMessage(const QString& text) {
    errors.write((ProgramName + QStringLiteral(": ") + text + u'\n').toUtf8());
}
