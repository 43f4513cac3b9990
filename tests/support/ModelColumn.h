#pragma once

#include <QAbstractItemModel>
#include <QStringList>

// The texts a model shows in one column, top to bottom.
inline QStringList Column(const QAbstractItemModel& model, int column) {
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, column).data().toString();
    return texts;
}
