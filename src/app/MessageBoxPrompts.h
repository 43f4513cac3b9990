#pragma once

#include "Prompts.h"

class QWidget;

// Modal message boxes and the platform's folder picker, over the given window or over the dialog
// that is open in front of it.
class MessageBoxPrompts final : public Prompts {
public:
    explicit MessageBoxPrompts(QWidget* parent = nullptr) : parent(parent) {}

    void SetParent(QWidget* window) { parent = window; }

    void Ok(const QString& caption, const QString& text) override;
    bool YesNo(const QString& caption, const QString& text) override;
    bool RetryCancel(const QString& caption, const QString& text) override;
    QString PickFolder(const QString& title, const QString& startFolder) override;

private:
    QWidget* Owner() const;

    QWidget* parent;
};
