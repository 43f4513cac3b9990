#include "OptionsFixture.h"

#include "MainWindowFixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

const QString OptionsFixture::Notice = QStringLiteral(
    "If you made any changes you will have to re-query the server for some of these options to "
    "take effect.");

OptionsFixture::OptionsFixture()
    : stored(DefaultSettings()),
      store(dir.filePath(QStringLiteral("vantrel.ini")), QSettings::IniFormat) {
    QDir(dir.path()).mkpath(QStringLiteral("game/ID1"));
    QFile game(dir.filePath(QStringLiteral("game/quake.exe")));
    game.open(QIODevice::WriteOnly);
    stored.quakepath = GamePath();
    stored.exe = QStringLiteral("quake.exe");
    stored.SaveSettings(store);
    dialog = std::make_unique<OptionsDialog>(settings, store, prompts);
}

OptionsDialog& OptionsFixture::Open() {
    dialog->show();
    return *dialog;
}

QLineEdit* OptionsFixture::Edit(const char* name) {
    return FindControl<QLineEdit>(*dialog, name);
}

QCheckBox* OptionsFixture::CheckBox(const char* name) {
    return FindControl<QCheckBox>(*dialog, name);
}

void OptionsFixture::ClickOk() {
    FindControl<QPushButton>(*dialog, "okButton")->click();
}

void OptionsFixture::RemoveDataFolder() const {
    QDir(dir.filePath(QStringLiteral("game/ID1"))).removeRecursively();
}
