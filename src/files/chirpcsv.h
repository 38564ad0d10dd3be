#pragma once

#include "files/channelrows.h"
#include "files/csvfile.h"
#include "model/channeltable.h"
#include "model/result.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace n35
{

// The channel list most radio programmers exchange: UTF-8 CSV with a header line naming the columns
// (Location, Name, Frequency, Duplex, Offset, Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, Mode,
// TStep, Skip, ...), one line per channel, frequencies in MHz and steps in kHz. Columns are found by
// name, in any order; columns this radio has no use for are read past.
//
// The radio's sub-tone types map onto the Tone and CrossMode columns where the list has a word for them
// ("T/-" is "Tone", "T/T" "TSQL", "D/D" "DTCS", "T/D" "Cross" with "Tone->DTCS", ...). The transmit tone
// travels in rToneFreq, the receive tone in cToneFreq, the DCS codes in DtcsCode and RxDtcsCode. Names
// travel as plain text: glyph n as the circled digit U+2460 + n - 1 (the character the radio's code for
// the glyph stands for), a backslash as one backslash.

// What an import or export has to say about a channel of a list is a RowNote: `line` is the file's line
// (the header is line 1; 0 on export), `location` its Location field, `row` the grid row the channel went
// into or came from (0 for a refused line), `column` the file's column ("Tone"; empty when the whole line
// is meant): "line 5 (Location 3), Mode \"AM\": the radio stores FM or NFM only", "row 12, Tone: ...".

// The header line the export writes.
QString ChannelListHeaderLine();

struct ChannelListExport {
    Status status;                 // the file written, or why not
    int written = 0;               // channels written
    std::vector<RowNote> warnings; // what the list could not carry as the grid has it
};

// Every used row in row order, Location = row - 1, UTF-8 with CR LF line ends. A sub-tone type the list
// has no word for ("Train", "T/R", "-/R", "D/R") goes out without a tone, and says so in a warning.
QByteArray ChannelListContent(const ChannelTable &table, std::vector<RowNote> *warnings = nullptr,
                              int *written = nullptr, const CsvProgress &progress = {});
// The same into a file; on a write failure the old file stays as it was.
ChannelListExport ExportChannelList(const QString &path, const ChannelTable &table,
                                    const CsvProgress &progress = {});

struct ChannelListImport {
    // The file read, or why not, with nothing changed: Unreadable (also a file that is not UTF-8 or has a
    // quote never closed), NotThisFormat (the first line lacks a column the import needs).
    Status status;
    std::vector<int> rows;         // the rows filled, in file order
    std::vector<RowNote> refused;  // lines not imported
    std::vector<RowNote> warnings; // lines imported with a change (a name shortened, ...)

    bool ok() const { return status.ok(); }
};

// Reads a channel list into consecutive rows from firstRow on (1..952). The CALL channels are passed
// over, and a line the radio cannot hold takes no row: the next good line takes its place. Lines left
// when row 952 is filled are refused. Each channel is checked as every import of rows is
// (CheckRowCells); the grid changes only once the whole file has been read.
ChannelListImport ImportChannelList(const QString &path, ChannelTable &table, int firstRow = 1,
                                    const CsvProgress &progress = {});
// The same for a file already in memory; `source` names it in a problem.
ChannelListImport ImportChannelListContent(const QByteArray &content, ChannelTable &table, int firstRow = 1,
                                           const CsvProgress &progress = {}, const QString &source = {});

} // namespace n35
