#include "MessageBoxPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

// Plain boxes without an icon, as the program's messages have always been.
QMessageBox::StandardButton Ask(QWidget* parent, const QString& caption, const QString& text,
                                QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

// A box over the main window would open behind a modal dialog in front of it on some desktops.
QWidget* MessageBoxPrompts::Owner() const {
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : parent;
}

void MessageBoxPrompts::Ok(const QString& caption, const QString& text) {
    Ask(Owner(), caption, text, QMessageBox::Ok);
}

bool MessageBoxPrompts::YesNo(const QString& caption, const QString& text) {
    return Ask(Owner(), caption, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool MessageBoxPrompts::RetryCancel(const QString& caption, const QString& text) {
    return Ask(Owner(), caption, text, QMessageBox::Retry | QMessageBox::Cancel) ==
           QMessageBox::Retry;
}

QString MessageBoxPrompts::PickFolder(const QString& title, const QString& startFolder) {
    return QFileDialog::getExistingDirectory(Owner(), title, startFolder);
}
