#pragma once

#include <QList>
#include <QString>
#include <QStringList>

enum class Align { Left, Right };

// Columns as wide as their widest cell, two spaces apart, no blanks at the ends of lines.
QString TextTable(const QList<Align>& aligns, const QList<QStringList>& rows);
