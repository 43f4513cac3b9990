#include "MainDialog.h"
#include "MessageBoxPrompts.h"
#include "Settings.h"

#include <QApplication>
#include <QSettings>

// The program is its one dialog: it ends when the dialog ends. The settings store takes the
// application's name from the executable's file name.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Vantrel"));
    const std::unique_ptr<QSettings> store = OpenSettingsStore();
    MessageBoxPrompts prompts;
    MainDialog dialog(prompts, *store);
    dialog.exec();
    return 0;
}
