#pragma once

#include "model/result.h"

#include <QString>

namespace n35
{

// Why this program refuses a file, in one place, so that the window, hvn35 and every reader say it in
// the same words. Each text completes "<file>: ...".

// A problem with a whole file: `where` is the file as the user named it.
Problem FileProblem(const QString &path, const QString &why, ProblemKind kind = ProblemKind::General);

QString NotRegularFileText(bool folder);             // a folder, a pipe, a device
QString FileTooLargeText(qint64 size, qint64 limit); // far larger than the format can be
QString ImageNameText();                             // the name does not end in ".N35"
QString NoImageLineText();                           // no line a clone image file holds
QString NoFileEndText();                             // cut before its last line "File End"
QString CsvNameText();                               // the name does not end in "CSV"
QString NotCsvHeaderText();                          // the first line is not this program's header
QString RowsReadText(int read, int total);           // a CSV file that ends before its last row
QString FormulaWarningText();                        // a cell that begins like a formula

} // namespace n35
