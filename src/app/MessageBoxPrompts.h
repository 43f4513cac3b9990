#pragma once

#include "Prompts.h"

// Modal message boxes, the framework's number input and the platform's folder picker.
class MessageBoxPrompts final : public Prompts {
public:
    void Ok(QWidget* parent, const QString& caption, const QString& text) override;
    bool YesNo(QWidget* parent, const QString& caption, const QString& text) override;
    bool RetryCancel(QWidget* parent, const QString& caption, const QString& text) override;
    std::optional<int> Number(QWidget* parent, const QString& caption, const QString& text,
                              int value, int minimum, int maximum) override;
    QString PickFolder(QWidget* parent, const QString& title, const QString& startFolder) override;
};
