#pragma once

#include "model/channeltable.h"
#include "model/result.h"

#include <QString>
#include <optional>
#include <vector>

namespace n35
{

// The rules every import of channel rows shares (a CSV file, the clipboard, a channel list from another
// program): what a row must hold before it may replace a row of the grid.

// Something an import, an export or a copy has to say about one row or line of a file: why it was not
// taken, or what was written or taken otherwise than as given.
struct RowNote {
    int line = 0;      // the line of a file read line by line into any row (the header is line 1); else 0
    QString location;  // the channel list's Location field, where there is one
    int row = 0;       // the grid row; 0 for a line that took none
    QString column;    // the column ("the mode", "Tone"), "the line" for a wrong field count, or empty
    QString text;      // the cell or field as given, or the whole line
    QString reason;    // "\"AM\" cannot be stored: ..." or "is not a frequency in MHz"
    bool kept = false; // a refused row kept its previous contents instead of being emptied

    // "row 12, the frequency: \"260.00000MHz\" lies outside ...", "line 5 (Location 3), Mode \"AM\": ...":
    // the text named once, cut short and on one line. The one way every front end tells a note.
    QString describe() const;
};

Problem CellProblem(int column, const QString &text, const QString &why);

// The frequency cell as the export writes it ("222.12345MHz"), in a band the row may use; returned in the
// grid's own form, so a cell spelled oddly still encodes for the radio.
Result<QString> CheckedFrequency(int row, const QString &text);

// Whether a used row's cell of columns 2..11 can be imported; the problem names the column and says why.
// A skip column's "\u203B" is kept as it is: only "*" skips.
Status CheckCell(int column, QString &text);

// Both checks on one whole row. A row with an empty frequency is an empty row and passes (except on a
// CALL row, which must hold one). On success the cells are normalised in place.
std::optional<RowNote> CheckRowCells(int row, ChannelCells &cells);

// A refused row as the user is told it: its note and what became of the row ("row 12, the frequency:
// \"260.00000MHz\" lies outside ... (the row was emptied)").
QString DescribeRefusal(const RowNote &refusal);

// A cell a spreadsheet may take for a formula: it begins with "=", "+", "-" or "@" (names come from radios
// and shared files, so a stranger can plant one). A lone "+" or "-" is text to a spreadsheet.
bool LooksLikeFormula(const QString &text);
// A warning for each cell of a row that looks like a formula and is not one of the radio's own words
// ("-/T" of the sub-tone modes).
void WarnFormulas(int row, const ChannelCells &cells, std::vector<RowNote> &warnings);
// The warnings one per line ("Row 12, the name "=1+1": ..."), at most `shown` of them and a line saying
// how many more.
QString ListWarnings(const std::vector<RowNote> &warnings, int shown = 40);

// The refusals one per line ("Row 12, the mode: "AM" ... (the row was emptied)"), at most `shown` of
// them and a line saying how many more.
QString ListRefusals(const std::vector<RowNote> &refused, int shown = 40);

} // namespace n35
