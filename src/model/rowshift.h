#pragma once

#include "model/banks.h"
#include "model/channeltable.h"

#include <QString>
#include <vector>

namespace n35
{

// Rearranging channel rows the way a channel programmer does: sorting, opening a gap, closing one, and
// finding channels programmed twice. Rows stay in their group as MoveRows keeps them (the rows of one
// bank by the partition, the PRG and Dual pairs as pairs, the PRIO rows, the PASS rows; the CALL rows
// never move). Each changes the table once, so one undo takes it back.

enum class SortKey {
    Frequency, // lowest first
    Name,      // alphabetical, letter case aside; rows without a name after those with one
};

// Sorts the units (rows or pairs) of first..last within each group the selection touches; a pair sorts
// by its first row. Empty rows go after the used ones, and equal keys keep their order. A selection of
// one unit sorts its whole group. Returns the rows sorted (first..last), or {0, 0} when nothing could be.
struct SortedRows {
    int first = 0;
    int last = 0;
};
SortedRows SortRows(ChannelTable &table, const BankPartition &banks, int first, int last, SortKey key);

// What an insert or delete did: the row to make current, or why nothing changed.
struct ShiftedRows {
    bool done = false;
    int row = 0;
    QString refusal;
};

// Opens an empty row (a pair in the pair groups) at `row`: it and the rows after it in its group move
// down by one. Refused when the group's last row (or pair) holds a channel, or on a CALL row.
ShiftedRows InsertEmptyRow(ChannelTable &table, const BankPartition &banks, int row);

// Removes the rows (pairs) of first..last and closes the gap: the rows after them in their group move up,
// the group's last rows become empty. CALL rows in the selection are kept. Refused when only CALL rows
// are selected.
ShiftedRows DeleteAndShiftUp(ChannelTable &table, const BankPartition &banks, int first, int last);

// Used rows (the CALL rows aside) holding the same frequency, shift, offset and tones as another row:
// each set of such rows in row order, the sets ordered by their first row. The offset counts only with a
// shift, and only the tones and codes the sub-tone mode uses count.
std::vector<std::vector<int>> FindDuplicateRows(const ChannelTable &table);

} // namespace n35
