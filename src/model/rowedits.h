#pragma once

#include "model/banks.h"
#include "model/channeltable.h"

#include <QString>
#include <vector>

namespace n35
{

// Edits of several grid rows at once: moving rows within their group and setting one column of many.

// A group of rows that move among themselves, in units of `unit` rows: 1, 2 for the PRG and Dual pairs,
// 0 for a CALL row (it never moves).
struct RowGroup {
    int first = 0;
    int last = 0;
    int unit = 1;
};
RowGroup RowGroupOf(const BankPartition &banks, int row);
// The first row of the unit `row` belongs to.
int UnitStart(const RowGroup &group, int row);

// Rows move within their group and never out of it: the rows of one bank (by the partition), the PRG
// pairs, the Dual pairs (each Main and Sub together), the PRIO rows, the PASS rows. The CALL rows never
// move. `first..last` are the selected rows; a pair counts as selected when one of its rows is. Each
// selected row (or pair) swaps with its neighbour one step up (step -1) or down (+1). Returns the rows
// the selection covers afterwards, or nothing when a row would leave its group (nothing moved then).
struct MovedRows {
    bool moved = false;
    int first = 0;
    int last = 0;
};
MovedRows MoveRows(ChannelTable &table, const BankPartition &banks, int first, int last, int step);

// The columns a bulk edit may set, in menu order: mode, step, tone type, the tones and codes, shift,
// offset, skip.
std::vector<int> BulkColumns();

// Sets `column` to `text` on every used row of first..last, by the editor's rules: a text the radio
// cannot store for that column, or an offset above the largest the radio takes, is refused as a whole
// (nothing changes) with the reason. Empty rows are passed over. Returns the reason, or empty when done.
QString SetColumnOfRows(ChannelTable &table, int first, int last, int column, const QString &text);

} // namespace n35
