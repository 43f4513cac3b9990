#pragma once

#include "ScriptedPrompts.h"
#include "app/OptionsDialog.h"
#include "settings/Settings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <memory>

class QLineEdit;
class QCheckBox;

// An Options dialog on a temporary store that holds the defaults, but for a game folder with its
// ID1 folder and a game executable inside, all real and temporary.
class OptionsFixture {
public:
    OptionsFixture();

    // Shows the dialog, which loads the stored options.
    OptionsDialog& Open();
    OptionsDialog& Dialog() { return *dialog; }
    ScriptedPrompts& Prompts() { return prompts; }
    QSettings& Store() { return store; }

    QLineEdit* Edit(const char* name);
    QCheckBox* CheckBox(const char* name);
    void ClickOk();

    QString GamePath() const { return dir.filePath(QStringLiteral("game")); }
    QString MissingPath() const { return dir.filePath(QStringLiteral("nowhere")); }
    void RemoveDataFolder() const;

    static const QString Notice;

    // What the store holds; Settings in memory start out empty, as the caller's do.
    Settings stored;
    Settings settings;

private:
    QTemporaryDir dir;
    QSettings store;
    ScriptedPrompts prompts;
    std::unique_ptr<OptionsDialog> dialog;
};
