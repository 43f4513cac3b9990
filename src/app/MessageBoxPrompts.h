#pragma once

#include "Prompts.h"

// Modal message boxes and the platform's folder picker.
class MessageBoxPrompts final : public Prompts {
public:
    void Ok(QWidget* parent, const QString& caption, const QString& text) override;
    bool YesNo(QWidget* parent, const QString& caption, const QString& text) override;
    bool RetryCancel(QWidget* parent, const QString& caption, const QString& text) override;
    QString PickFolder(QWidget* parent, const QString& title, const QString& startFolder) override;
};
