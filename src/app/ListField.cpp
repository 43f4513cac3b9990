#include "ListField.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

QPlainTextEdit* AddListField(QVBoxLayout& layout, const QString& label, const QString& text,
                             int lines) {
    auto* edit = new QPlainTextEdit(text);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setMinimumHeight(edit->fontMetrics().lineSpacing() * lines + 12);
    auto* caption = new QLabel(label);
    caption->setBuddy(edit);
    layout.addWidget(caption);
    layout.addWidget(edit);
    return edit;
}
