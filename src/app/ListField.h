#pragma once

#include <QString>

class QPlainTextEdit;
class QVBoxLayout;

// A labelled field of lines for a dialog's list, one entry a line, tall enough for `lines`.
QPlainTextEdit* AddListField(QVBoxLayout& layout, const QString& label, const QString& text,
                             int lines);
