#pragma once

#include "files/channelrows.h"
#include "model/channeltable.h"

#include <QString>
#include <vector>

namespace n35
{

// Grid rows on the clipboard as tab-separated text, the way spreadsheets and another copy of the program
// exchange them: a header line of the grid's column headers, then one line per row, the row label first
// and the twelve cell texts after it.

// A cell a spreadsheet may run as a formula goes out as it is, and is listed in *warnings.
QString RowsAsText(const ChannelTable &table, int first, int last, std::vector<RowNote> *warnings = nullptr);

struct PasteResult {
    int firstRow = 0;
    int lastRow = 0; // the last row the paste reached; 0 when it reached none
    std::vector<RowNote> refused;
};

// Pastes text into the grid from `firstRow` on, one line per row: the header line is passed over; a
// line of twelve fields is the cells alone, of thirteen the row label and the cells. Each row is checked
// as the CSV import checks it; a refused row is left empty (a CALL row keeps what it held, and never
// takes a frequency outside its band). Lines past row 952 are refused. The table is changed only after
// every line was checked.
PasteResult PasteRows(const QString &text, int firstRow, ChannelTable &table);

} // namespace n35
