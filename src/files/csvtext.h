#pragma once

#include "model/result.h"

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

// Splits text into records, at LF or CR LF outside quotes; wholly empty lines are no records. A quote never
// closed is an Unreadable problem that names its line.
Result<std::vector<CsvRecord>> SplitCsvRecords(const QString &text);

// A field as it is written: quoted, its quotes doubled, when it holds a comma, a quote or a line end.
QString CsvField(const QString &text);

// UTF-8 bytes as text, a leading byte order mark dropped. Bytes that are no UTF-8 are an Unreadable
// problem that names the first line holding such bytes.
Result<QString> DecodeUtf8(QByteArray content);

} // namespace n35
