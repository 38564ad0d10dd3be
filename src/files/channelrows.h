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

// The refusals one per line ("Row 12, the mode "AM": ... (the row was emptied)"), at most `shown` of
// them and a line saying how many more.
QString ListRefusals(const std::vector<CsvRefusal> &refused, int shown = 40);

} // namespace n35
