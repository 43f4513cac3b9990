#include "OptionsDialog.h"

#include "ControlTable.h"
#include "DialogUnits.h"
#include "OptionsAcceptance.h"
#include "Prompts.h"
#include "Settings.h"
#include "TemplateWidgets.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {

constexpr Qt::WindowFlags WindowStyle = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

OptionsControls BuildControls(QWidget& window) {
    CreateControls(window, OptionsWindowTemplate(), DialogUnits::ForFont(window.font()));
    return FindOptionsControls(window);
}

} // namespace

OptionsDialog::OptionsDialog(Settings& settings, QSettings& store, Prompts& prompts,
                             QWidget* parent)
    : QDialog(parent, WindowStyle), settings(settings), store(store), prompts(prompts),
      controls(BuildControls(*this)), exchange(OptionsBindings(controls, settings), prompts) {
    connect(controls.browseButton, &QPushButton::clicked, this, &OptionsDialog::BrowseForFolder);
    connect(controls.okButton, &QPushButton::clicked, this, &OptionsDialog::AcceptOptions);
    connect(controls.cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void OptionsDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        ShowFields();
        settings.LoadSettings(store);
        ShowFields();
    }
    QDialog::showEvent(event);
}

void OptionsDialog::BrowseForFolder() {
    const QString folder = prompts.PickFolder(
        this, QStringLiteral("Please Select Your Quake Folder:"), controls.quakepath->text());
    if (folder.isEmpty())
        return;
    const QString path = QDir::toNativeSeparators(folder);
    // Showing the fields after a refused read would undo what the user typed after the refused
    // control, so then only the folder's own control changes.
    if (!ReadFields()) {
        controls.quakepath->setText(path);
        return;
    }
    settings.quakepath = path;
    ShowFields();
}

void OptionsDialog::AcceptOptions() {
    if (!ReadFields())
        return;
    settings.quakepath = WithoutTrailingSeparator(settings.quakepath);
    controls.quakepath->setText(settings.quakepath);
    if (!ConfirmOptions(settings, prompts, this))
        return;
    if (ReadFields())
        accept();
}
