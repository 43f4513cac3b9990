#pragma once

class QHeaderView;

// Lets the header's context menu show and hide its columns: a checkable entry a column, titled
// as the header titles it. The last column shown cannot be hidden. The header's saved state keeps
// the choice with the widths.
void OfferColumnChoice(QHeaderView& header);
