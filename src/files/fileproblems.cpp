#include "files/fileproblems.h"

namespace n35
{

Problem FileProblem(const QString &path, const QString &why, ProblemKind kind)
{
    return Problem{QString(), path, why, true, kind};
}

QString NotRegularFileText(bool folder)
{
    return folder ? QStringLiteral("it is a folder, not a file")
                  : QStringLiteral("it is not a regular file (a pipe, a socket or a device)");
}

QString FileTooLargeText(qint64 size, qint64 limit)
{
    return QStringLiteral("it holds %1 bytes, far more than such a file can (at most %2)")
        .arg(size)
        .arg(limit);
}

QString ImageNameText()
{
    return QStringLiteral("its name does not end in \".N35\"");
}

QString NoImageLineText()
{
    return QStringLiteral("it is not a clone image file: it has no line a clone image file holds");
}

QString NoFileEndText()
{
    return QStringLiteral("it is not a whole clone image file: it stops before its last line \"File End\"");
}

QString CsvNameText()
{
    return QStringLiteral("its name does not end in \"CSV\"");
}

QString NotCsvHeaderText()
{
    return QStringLiteral("its first line is not the CSV header");
}

QString RowsReadText(int read, int total)
{
    if (read >= total)
        return {};
    if (read == 0)
        return QStringLiteral("The file holds no row: rows 1 to %1 were left as they were.").arg(total);
    return QStringLiteral("The file ends after row %1: rows %2 to %3 were left as they were.")
        .arg(read)
        .arg(read + 1)
        .arg(total);
}

QString FormulaWarningText()
{
    return QStringLiteral("a spreadsheet may run this as a formula");
}

} // namespace n35
