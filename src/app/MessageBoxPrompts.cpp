#include "MessageBoxPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

// A box over the main window would open behind a modal dialog in front of it on some desktops,
// such as the About box while an update tick reports a missing folder.
QWidget* Owner(QWidget* parent) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : parent;
}

// Plain boxes without an icon, as the program's messages have always been.
QMessageBox::StandardButton Ask(QWidget* parent, const QString& caption, const QString& text,
                                QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, buttons, Owner(parent));
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void MessageBoxPrompts::Ok(QWidget* parent, const QString& caption, const QString& text) {
    Ask(parent, caption, text, QMessageBox::Ok);
}

bool MessageBoxPrompts::YesNo(QWidget* parent, const QString& caption, const QString& text) {
    return Ask(parent, caption, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool MessageBoxPrompts::RetryCancel(QWidget* parent, const QString& caption, const QString& text) {
    return Ask(parent, caption, text, QMessageBox::Retry | QMessageBox::Cancel) ==
           QMessageBox::Retry;
}

std::optional<int> MessageBoxPrompts::Number(QWidget* parent, const QString& caption,
                                             const QString& text, int value, int minimum,
                                             int maximum) {
    bool ok = false;
    const int number =
        QInputDialog::getInt(Owner(parent), caption, text, value, minimum, maximum, 1, &ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

QString MessageBoxPrompts::PickFolder(QWidget* parent, const QString& title,
                                      const QString& startFolder) {
    return QFileDialog::getExistingDirectory(Owner(parent), title, startFolder);
}
