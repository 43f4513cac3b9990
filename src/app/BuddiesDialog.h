#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

// Edits the buddies: the names to look out for on the servers, one a line. Spaces around a name,
// empty lines and a name given twice go. Under them, where and when each was seen last.
class BuddiesDialog final : public QDialog {
    Q_OBJECT

public:
    BuddiesDialog(const QStringList& buddies, const QString& seen, QWidget* parent = nullptr);

    QStringList Buddies() const;

private:
    QPlainTextEdit* names;
};
