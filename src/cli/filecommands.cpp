// The commands that work on files alone: export, import, show, and the loading and saving they share
// with the radio commands.

#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/summary.h"
#include "files/backup.h"
#include "files/csvfile.h"
#include "files/imagefile.h"
#include "link/portsettings.h"
#include "model/cloneimage.h"

#include <QFileInfo>

namespace n35::cli
{

bool HasImageExtension(const QString &path)
{
    return path.endsWith(QLatin1String(".N35"), Qt::CaseInsensitive);
}

bool HasCsvExtension(const QString &path)
{
    return path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
}

bool LoadImage(const QString &path, CloneImage &image)
{
    const LoadOutcome loaded = LoadImageFile(path, image);
    for (const Notice &notice : loaded.notices)
        PrintNote(OneLine(path + QStringLiteral(": ") + notice.text, notice.detail));
    switch (loaded.failure) {
    case LoadFailure::None:
        return true;
    case LoadFailure::WrongExtension:
        PrintError(QStringLiteral("%1: %2 Its name must end in .N35.").arg(path, loaded.problem.why));
        return false;
    case LoadFailure::CannotRead:
        PrintError(QStringLiteral("%1: %2").arg(path, loaded.problem.why));
        return false;
    case LoadFailure::BadLine:
        PrintError(OneLine(QStringLiteral("%1 is not a clone image file it can load").arg(path),
                           loaded.problem.describe()));
        return false;
    }
    return false;
}

bool SaveImage(const QString &path, const CloneImage &image, int portNumber)
{
    QString error;
    if (SaveImageFile(path, image, portNumber, &error))
        return true;
    PrintError(OneLine(QStringLiteral("%1 could not be saved").arg(path), error));
    return false;
}

QString UniqueBackupPath(const QString &folder, const QDateTime &when)
{
    const QString first = BackupFilePath(folder, when);
    QString path = first;
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = first.chopped(4) + QStringLiteral("-%1").arg(n) + first.right(4);
    return path;
}

int RunExport(const Invocation &invocation)
{
    const QString csv = invocation.value(QStringLiteral("output"));
    if (!HasCsvExtension(csv)) {
        PrintError(QStringLiteral("%1: the CSV file's name must end in .csv").arg(csv));
        return ExitUsage;
    }
    CloneImage image;
    if (!LoadImage(invocation.arguments.at(0), image))
        return ExitFailed;
    if (const Status written = ExportCsv(csv, image.channels); !written) {
        PrintError(OneLine(QStringLiteral("%1 could not be saved").arg(csv), written.problem().describe()));
        return ExitFailed;
    }
    return ExitDone;
}

int RunImport(const Invocation &invocation)
{
    const QString csv = invocation.arguments.at(0);
    const QString into = invocation.value(QStringLiteral("into"));
    const QString output = invocation.value(QStringLiteral("output"));
    if (!HasImageExtension(output)) {
        PrintError(QStringLiteral("%1: the clone image file's name must end in .N35").arg(output));
        return ExitUsage;
    }
    CloneImage image;
    if (!LoadImage(into, image))
        return ExitFailed;
    const CsvImportResult result = ImportCsv(csv, image.channels);
    switch (result.kind) {
    case CsvImportResult::Kind::Ok:
        break;
    case CsvImportResult::Kind::NotHeader:
        PrintError(OneLine(QStringLiteral("%1: CSV File Error").arg(csv), result.problem.describe()));
        return ExitFailed;
    case CsvImportResult::Kind::WrongExtension:
    case CsvImportResult::Kind::CannotRead:
        PrintError(OneLine(QStringLiteral("%1 couldn't be opened").arg(csv), result.problem.why));
        return ExitFailed;
    }
    // The window's rules: a refused row is emptied or keeps what it held, and the rest is imported.
    for (const CsvRefusal &refusal : result.refused) {
        PrintWarning(QStringLiteral("%1: row %2, %3 \"%4\": %5 (%6)")
                         .arg(csv)
                         .arg(refusal.row)
                         .arg(refusal.column, refusal.text, refusal.reason,
                              refusal.kept ? QStringLiteral("the row kept what it held")
                                           : QStringLiteral("the row was emptied")));
    }
    // The new file keeps the port the old one recorded.
    return SaveImage(output, image, ReadPortSetting(into).port) ? ExitDone : ExitFailed;
}

int RunShow(const Invocation &invocation)
{
    CloneImage image;
    if (!LoadImage(invocation.arguments.at(0), image))
        return ExitFailed;
    for (const QString &line : SummarizeImage(image))
        PrintOut(line);
    return ExitDone;
}

} // namespace n35::cli
