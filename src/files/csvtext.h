#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace n35
{

// Comma-separated text as spreadsheets and other programs write it: a field may be quoted, and a quoted
// field may hold commas, line ends and "" for a quote. This program's own CSV file has a fixed shape of
// its own (csvfile.h) and does not go through here.

struct CsvRecord {
    int line = 0; // the line of the text the record starts on, from 1
    QStringList fields;
};

// Splits text into records, at LF or CR LF outside quotes; wholly empty lines are no records. Returns the
// line of a quote never closed (records then holds what came before it), or 0.
int SplitCsvRecords(const QString &text, std::vector<CsvRecord> &records);

// A field as it is written: quoted, its quotes doubled, when it holds a comma, a quote or a line end.
QString CsvField(const QString &text);

// UTF-8 bytes as text, a leading byte order mark dropped. For bytes that are no UTF-8: an empty text, and
// *badLine the first line that holds such bytes.
QString DecodeUtf8(QByteArray content, int *badLine);

} // namespace n35
