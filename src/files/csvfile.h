#pragma once

#include "files/channelrows.h"
#include "model/channeltable.h"
#include "model/result.h"

#include <QString>
#include <functional>
#include <vector>

namespace n35
{

// The memory grid as a CSV file, for preparing channel lists in a spreadsheet: code page 932 text, CR LF
// line ends, the header line and then one line per row 1..952, each of 14 quoted fields (row label, the
// twelve cell texts, row number). A quote inside a field is doubled; files that wrote it single still read.

// Told the row (0..952) a CSV command has reached, for a progress bar.
using CsvProgress = std::function<void(int row)>;

// The first line of every CSV file.
QString CsvHeaderLine();

struct CsvExportResult {
    Status status; // the file written, or why not
    // A text the file's code page cannot carry (a radio code that is no character) went out as "?"; a cell
    // a spreadsheet may run as a formula went out as it is.
    std::vector<RowNote> warnings;

    bool ok() const { return status.ok(); }
};

// Writes all 952 rows to path, every field quoted and a quote inside it doubled. On a write failure the
// old file stays as it was.
CsvExportResult ExportCsv(const QString &path, const ChannelTable &table, const CsvProgress &progress = {});

struct CsvImportResult {
    // The file read, or why not, with nothing changed: WrongName (the name does not end in "CSV": nothing
    // read), Unreadable, NotThisFormat (the first line is not CsvHeaderLine()).
    Status status;
    std::vector<RowNote> refused;
    int rowsRead = 0; // data lines read, at most 952; rows past them were left as they were

    bool ok() const { return status.ok(); }
};

// Reads a CSV file into the grid. Lines are matched to rows by position (line 2 is row 1; a file longer
// than 952 data lines starts again at row 1). A line of other than 14 fields leaves its row as it was; a
// frequency outside the row's bands, or a cell of columns 2..11 the radio cannot take, empties the row,
// except that a CALL channel keeps what it held. Then all 952 rows are checked, and the table is changed
// only once the whole file has been read, each changed row announced on its own.
CsvImportResult ImportCsv(const QString &path, ChannelTable &table, const CsvProgress &progress = {});

// The same for a file already read into memory; `source` names it in a problem.
CsvImportResult ImportCsvContent(const QByteArray &content, ChannelTable &table,
                                 const CsvProgress &progress = {}, const QString &source = QString());

} // namespace n35
