#pragma once

#include <QString>

// The message boxes and the folder picker the program asks the user through.
class Prompts {
public:
    virtual ~Prompts() = default;

    virtual void Ok(const QString& caption, const QString& text) = 0;
    // True for Yes.
    virtual bool YesNo(const QString& caption, const QString& text) = 0;
    // True for Retry; closing the box counts as Cancel.
    virtual bool RetryCancel(const QString& caption, const QString& text) = 0;
    // The chosen folder, or an empty text when the user cancelled.
    virtual QString PickFolder(const QString& title, const QString& startFolder) = 0;
};
