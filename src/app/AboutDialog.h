#pragma once

#include <QDialog>

// The About box: the program's name and version, credits and where to ask. It only closes.
class AboutDialog final : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
};
