#pragma once

#include <QString>
#include <optional>

class QWidget;

// The message boxes, the number input and the folder picker the program asks the user through. Each
// opens as a modal child of the window that asks.
class Prompts {
public:
    virtual ~Prompts() = default;

    virtual void Ok(QWidget* parent, const QString& caption, const QString& text) = 0;
    // True for Yes.
    virtual bool YesNo(QWidget* parent, const QString& caption, const QString& text) = 0;
    // True for Retry; closing the box counts as Cancel.
    virtual bool RetryCancel(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A whole number from minimum to maximum, offered at value; nothing when the user cancelled.
    virtual std::optional<int> Number(QWidget* parent, const QString& caption, const QString& text,
                                      int value, int minimum, int maximum) = 0;
    // The chosen folder, or an empty text when the user cancelled.
    virtual QString PickFolder(QWidget* parent, const QString& title,
                               const QString& startFolder) = 0;
};
