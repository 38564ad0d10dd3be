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

// A row an import did not take as it was given.
struct CsvRefusal {
    int row = 0;
    QString column; // caption of the failing column ("the mode"), or "the line" for a wrong field count
    QString text;   // the refused cell text, or the whole line
    QString reason;
    bool kept = false; // the row kept its previous contents instead of being emptied
};

Problem CellProblem(int column, const QString &text, const QString &why);

// The frequency cell as the export writes it ("222.12345MHz"), in a band the row may use; returned in the
// grid's own form, so a cell spelled oddly still encodes for the radio.
Result<QString> CheckedFrequency(int row, const QString &text);

// Why a used row's cell of columns 2..11 cannot be imported; empty when it can. A skip column's "\u203B"
// is kept as it is: only "*" skips.
QString CellFault(int column, QString &text);

// Both checks on one whole row. A row with an empty frequency is an empty row and passes (except on a
// CALL row, which must hold one). On success the cells are normalised in place.
std::optional<CsvRefusal> CheckRowCells(int row, ChannelCells &cells);

// "row 12, the frequency: \"260.00000MHz\" lies outside ...", the refused text named once.
QString DescribeRefusal(const CsvRefusal &refusal);

// Something an export or a copy wrote as the grid has it but wants the user to know.
struct RowWarning {
    int row = 0;
    QString column; // caption of the column ("the name")
    QString text;   // the cell as the grid has it
    QString reason;

    // "Row 12, the name "=1+1": a spreadsheet may run this as a formula"
    QString describe() const;
};

// A cell a spreadsheet may take for a formula: it begins with "=", "+", "-" or "@" (names come from radios
// and shared files, so a stranger can plant one). A lone "+" or "-" is text to a spreadsheet.
bool LooksLikeFormula(const QString &text);
// A warning for each cell of a row that looks like a formula and is not one of the radio's own words
// ("-/T" of the sub-tone modes).
void WarnFormulas(int row, const ChannelCells &cells, std::vector<RowWarning> &warnings);
// The warnings one per line, at most `shown` of them and a line saying how many more.
QString ListWarnings(const std::vector<RowWarning> &warnings, int shown = 40);

// The refusals one per line ("Row 12, the mode "AM": ... (the row was emptied)"), at most `shown` of
// them and a line saying how many more.
QString ListRefusals(const std::vector<CsvRefusal> &refused, int shown = 40);

} // namespace n35
