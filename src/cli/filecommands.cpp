// The commands that work on files alone: export, import, show, and the loading and saving they share
// with the radio commands.

#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/summary.h"
#include "files/backup.h"
#include "files/chirpcsv.h"
#include "files/csvfile.h"
#include "files/fileproblems.h"
#include "files/imagefile.h"
#include "files/settingsfile.h"
#include "model/cloneimage.h"
#include "model/fixedtexts.h"
#include "session/radiobackups.h"
#include "session/session.h"

#include <QFileInfo>
#include <optional>

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

bool LoadImage(const QString &path, Session &session)
{
    // A backup is shown where it decodes; where it does not, the first place that does not is named.
    const bool backup = IsBackupFile(path);
    const Result<LoadNotices> loaded = backup ? session.openBackup(path) : session.open(path);
    if (loaded) {
        for (const Notice &notice : *loaded)
            PrintNote(OneLine(path + QStringLiteral(": ") + notice.text, notice.detail));
        return true;
    }
    switch (loaded.problem().kind) {
    case ProblemKind::WrongName:
        PrintProblem(QStringLiteral("%1 couldn't be opened").arg(path), loaded.problem());
        break;
    case ProblemKind::BadLine:
        PrintProblem(backup ? path + QStringLiteral(": ") + FixedText::BackupNotShown()
                            : QStringLiteral("%1 is not a clone image file it can load").arg(path),
                     loaded.problem());
        break;
    default:
        PrintProblem(path, loaded.problem());
        break;
    }
    return false;
}

bool SaveImage(const QString &path, Session &session)
{
    const Status saved = session.save(path);
    if (!saved)
        PrintProblem(QStringLiteral("%1 could not be saved").arg(path), saved.problem());
    return saved.ok();
}

int CheckFileNames(const Invocation &invocation)
{
    if (!invocation.command)
        return ExitDone;
    // Named by what the help calls them: FILE is a clone image file, CSV a CSV file.
    // A backup of the radio is read as an image wherever a command reads one (its FILE argument); an image
    // is only ever written under .N35.
    auto check = [](const QString &kind, const QString &path, bool read = false) {
        if (kind == QLatin1String("FILE") && !HasImageExtension(path) &&
            !(read && HasBackupExtension(path))) {
            PrintError(QStringLiteral("%1: the clone image file's name must end in .N35").arg(path));
            return false;
        }
        if (kind == QLatin1String("CSV") && !HasCsvExtension(path)) {
            PrintError(QStringLiteral("%1: the CSV file's name must end in .csv").arg(path));
            return false;
        }
        return true;
    };
    const Command &command = *invocation.command;
    for (qsizetype at = 0; at < command.arguments.size() && at < invocation.arguments.size(); ++at) {
        if (!check(command.arguments.at(at), invocation.arguments.at(at), true))
            return ExitUsage;
    }
    for (const CommandOption &option : command.options) {
        if (invocation.has(option.name) && !check(option.valueName, invocation.value(option.name)))
            return ExitUsage;
    }
    return ExitDone;
}

namespace
{

// --format of export and import: true for the channel list of other programs; nullopt after telling the
// user the value is wrong.
std::optional<bool> OtherProgramsList(const Invocation &invocation)
{
    const QString format = invocation.value(QStringLiteral("format"));
    if (format.isEmpty() || format == QLatin1String("n35"))
        return false;
    if (format == QLatin1String("chirp"))
        return true;
    PrintError(QStringLiteral("--format is n35 or chirp, not \"%1\"").arg(format));
    return std::nullopt;
}

// --at of import: the first row, 1..952; nullopt after telling the user.
std::optional<int> FirstRow(const Invocation &invocation, bool list)
{
    if (!invocation.has(QStringLiteral("at")))
        return 1;
    bool number = false;
    const int row = invocation.value(QStringLiteral("at")).toInt(&number);
    if (!list)
        PrintError(QStringLiteral("--at is for --format chirp: this program's CSV file fills every row"));
    else if (!number || row < 1 || row > ChannelCount)
        PrintError(QStringLiteral("--at ROW is a row from 1 to %1, not \"%2\"")
                       .arg(ChannelCount)
                       .arg(invocation.value(QStringLiteral("at"))));
    else
        return row;
    return std::nullopt;
}

// A channel list into the image's grid, every refused line and change told; false when nothing was read.
bool ImportList(const QString &csv, int firstRow, CloneImage &image)
{
    const ChannelListImport result = ImportChannelList(csv, image.channels, firstRow);
    if (!result.ok()) {
        const Problem &problem = result.status.problem();
        PrintProblem((problem.kind == ProblemKind::NotThisFormat ? QStringLiteral("%1 is not a channel list")
                                                                 : QStringLiteral("%1 couldn't be read"))
                         .arg(csv),
                     problem);
        return false;
    }
    for (const RowNote &refusal : result.refused)
        PrintWarning(QStringLiteral("%1: %2 (not imported)").arg(csv, refusal.describe()));
    for (const RowNote &warning : result.warnings)
        PrintWarning(QStringLiteral("%1: %2").arg(csv, warning.describe()));
    if (result.rows.empty())
        PrintNote(QStringLiteral("%1: no channel imported").arg(csv));
    else
        PrintNote(QStringLiteral("%1: %2 channels into rows %3 to %4")
                      .arg(csv)
                      .arg(result.rows.size())
                      .arg(result.rows.front())
                      .arg(result.rows.back()));
    return true;
}

// Our own CSV file into the image's grid; false when nothing was read.
bool ImportOwnCsv(const QString &csv, CloneImage &image)
{
    const CsvImportResult result = ImportCsv(csv, image.channels);
    if (!result.ok()) {
        const Problem &problem = result.status.problem();
        PrintProblem((problem.kind == ProblemKind::NotThisFormat ? QStringLiteral("%1: CSV File Error")
                                                                 : QStringLiteral("%1 couldn't be opened"))
                         .arg(csv),
                     problem);
        return false;
    }
    if (const QString early = RowsReadText(result.rowsRead, ChannelCount); !early.isEmpty())
        PrintNote(QStringLiteral("%1: %2").arg(csv, early));
    // The window's rules: a refused row is emptied or keeps what it held, and the rest is imported.
    for (const RowNote &refusal : result.refused)
        PrintWarning(QStringLiteral("%1: %2").arg(csv, DescribeRefusal(refusal)));
    return true;
}

} // namespace

int RunExport(const Invocation &invocation)
{
    const QString csv = invocation.value(QStringLiteral("output"));
    const std::optional<bool> list = OtherProgramsList(invocation);
    if (!list)
        return ExitUsage;
    Session session;
    if (!LoadImage(invocation.arguments.at(0), session))
        return ExitFailed;
    const CloneImage &image = session.image();
    Status status;
    std::vector<RowNote> warnings;
    if (*list) {
        ChannelListExport exported = ExportChannelList(csv, image.channels);
        status = exported.status;
        warnings = std::move(exported.warnings);
    } else {
        CsvExportResult exported = ExportCsv(csv, image.channels);
        status = exported.status;
        warnings = std::move(exported.warnings);
    }
    if (!status) {
        PrintProblem(QStringLiteral("%1 could not be saved").arg(csv), status.problem());
        return ExitFailed;
    }
    for (const RowNote &warning : warnings)
        PrintWarning(QStringLiteral("%1: %2").arg(csv, warning.describe()));
    return ExitDone;
}

int RunImport(const Invocation &invocation)
{
    const QString csv = invocation.arguments.at(0);
    const QString into = invocation.value(QStringLiteral("into"));
    const QString output = invocation.value(QStringLiteral("output"));
    const std::optional<bool> list = OtherProgramsList(invocation);
    const std::optional<int> firstRow = list ? FirstRow(invocation, *list) : std::nullopt;
    if (!firstRow)
        return ExitUsage;
    Session session;
    if (!LoadImage(into, session))
        return ExitFailed;
    if (!(*list ? ImportList(csv, *firstRow, session.image()) : ImportOwnCsv(csv, session.image())))
        return ExitFailed;
    // The new file keeps the port the old one recorded.
    session.setPortNumber(ProgramSettings::read(into).port);
    return SaveImage(output, session) ? ExitDone : ExitFailed;
}

int RunShow(const Invocation &invocation)
{
    Session session;
    if (!LoadImage(invocation.arguments.at(0), session))
        return ExitFailed;
    for (const QString &line : SummarizeImage(session.image()))
        PrintOut(line);
    return ExitDone;
}

} // namespace n35::cli
