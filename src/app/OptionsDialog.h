#pragma once

#include "DataExchange.h"
#include "OptionsControls.h"

#include <QDialog>

class Prompts;
class QSettings;
struct Settings;

// The Options dialog. It edits the caller's in-memory options and never writes the store: on OK
// the caller saves them, otherwise it loads them again to drop the edits.
class OptionsDialog final : public QDialog {
    Q_OBJECT

public:
    OptionsDialog(Settings& settings, QSettings& store, Prompts& prompts,
                  QWidget* parent = nullptr);

    bool ReadFields() { return exchange.FromControls(); }
    void ShowFields() { exchange.ToControls(); }

    // The "..." button: the chosen folder becomes the game folder, the other edits stay.
    void BrowseForFolder();
    // The OK button: validates, tidies and questions the options; closes with OK when they pass.
    void AcceptOptions();

protected:
    // Every opening starts from the stored options, not from edits that were never saved.
    void showEvent(QShowEvent* event) override;

private:
    Settings& settings;
    QSettings& store;
    Prompts& prompts;
    OptionsControls controls;
    DataExchange exchange;
};
