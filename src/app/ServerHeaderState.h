#pragma once

class QHeaderView;
class QSettings;

// The Servers table's header as the store keeps it, in the group open: the columns' widths,
// order and sort, which are hidden, and how many columns there were. A column added since the
// header was stored starts hidden when it is hidden by default; with nothing stored, every column
// starts at its default width, most players first.
void RestoreServerHeader(QHeaderView& header, const QSettings& store);
void SaveServerHeader(const QHeaderView& header, QSettings& store);
