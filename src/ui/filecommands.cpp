#include "ui/filecommands.h"

#include "files/chirpcsv.h"
#include "files/csvfile.h"
#include "files/imagefile.h"
#include "link/progress.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QStringList>

namespace n35
{

namespace
{

const QString ImageFilter = QStringLiteral("HVN35ファイル (*.N35 *.n35);;すべてのファイル (*)");
const QString CsvFilter = QStringLiteral("CSVファイル (*.CSV *.csv);;すべてのファイル (*)");
constexpr int RefusalsShown = 40;

QString StartFolder()
{
    return QCoreApplication::applicationDirPath();
}

// What a channel list import or export has to say line by line, for the message's details.
QString DescribeNotes(QStringList lines, const std::vector<ChannelListNote> &refused,
                      const std::vector<ChannelListNote> &warnings)
{
    const qsizetype total = lines.size() + qsizetype(refused.size() + warnings.size());
    for (const ChannelListNote &refusal : refused)
        lines << refusal.describe() + QStringLiteral(" (not imported)");
    for (const ChannelListNote &warning : warnings)
        lines << warning.describe();
    if (lines.size() > RefusalsShown) {
        lines = lines.mid(0, RefusalsShown);
        lines << QStringLiteral("... and %1 more.").arg(total - RefusalsShown);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString WithExtension(const QString &path, const QString &extension)
{
    if (path.isEmpty() || path.endsWith(extension, Qt::CaseInsensitive))
        return path;
    return path + extension;
}

void SaveImageCommand(MainWindow &window, const QString &path)
{
    QString error;
    if (SaveImageFile(path, window.cloneImage(), window.radioLink().portNumber(), &error)) {
        window.noteImageFile(path);
        ShowMessage(&window, QStringLiteral("Save File"), QStringLiteral("Finish"));
    } else {
        ShowMessage(&window, QStringLiteral("The file could not be saved."), QStringLiteral("Error"), error);
    }
}

void OpenImageCommand(MainWindow &window, const QString &path)
{
    const LoadOutcome loaded = LoadImageFile(path, window.cloneImage());
    switch (loaded.failure) {
    case LoadFailure::None:
        window.noteImageFile(path);
        for (const Notice &notice : loaded.notices)
            ShowMessage(&window, notice.text, notice.title, notice.detail);
        ShowMessage(&window, QStringLiteral("Read File"), QStringLiteral("Finish"));
        break;
    case LoadFailure::WrongExtension:
        ShowMessage(&window, FileNotOpenedText(), QStringLiteral("Error"), path);
        break;
    case LoadFailure::CannotRead:
    case LoadFailure::BadLine:
        // Nothing was loaded: the whole file is read before anything changes.
        ShowMessage(&window, QStringLiteral("The file could not be loaded. Nothing was changed."),
                    QStringLiteral("Error"), path + QStringLiteral("\n") + loaded.problem.describe());
        break;
    }
}

void ExportCsvCommand(MainWindow &window, const QString &path)
{
    Progress &progress = window.progress();
    progress.start(ChannelCount);
    const Status written = ExportCsv(path, window.cloneImage().channels, [&](int row) {
        if (row > 0)
            progress.advance();
    });
    if (written)
        ShowMessage(&window, QStringLiteral("Save File"), QStringLiteral("Finish"));
    else
        ShowMessage(&window, QStringLiteral("The file could not be saved."), QStringLiteral("Error"),
                    path + QStringLiteral("\n") + written.problem().describe());
    progress.start(ChannelCount);
}

void ImportCsvCommand(MainWindow &window, const QString &path)
{
    Progress &progress = window.progress();
    progress.start(ChannelCount);
    const CsvImportResult result =
        ImportCsv(path, window.cloneImage().channels, [&](int) { progress.advance(); });
    switch (result.kind) {
    case CsvImportResult::Kind::Ok:
        ShowMessage(&window, QStringLiteral("Inport CSV File"), QStringLiteral(" Finish"),
                    ListRefusals(result.refused, RefusalsShown));
        break;
    case CsvImportResult::Kind::NotHeader:
        ShowMessage(&window, QStringLiteral("CSV File Error"), QStringLiteral(" Error"),
                    result.problem.describe());
        break;
    case CsvImportResult::Kind::WrongExtension:
    case CsvImportResult::Kind::CannotRead:
        ShowMessage(&window, QStringLiteral("This File couldn't be opened."), QStringLiteral("Error"),
                    path + QStringLiteral("\n") + result.problem.describe());
        break;
    }
    progress.start(ChannelCount);
}

void ExportChannelListCommand(MainWindow &window, const QString &path)
{
    Progress &progress = window.progress();
    progress.start(ChannelCount);
    const ChannelListExport exported = ExportChannelList(path, window.cloneImage().channels, [&](int row) {
        if (row > 0)
            progress.advance();
    });
    if (exported.status) {
        ShowMessage(&window, QStringLiteral("Save File"), QStringLiteral("Finish"),
                    DescribeNotes({QStringLiteral("%1 channels written.").arg(exported.written)}, {},
                                  exported.warnings));
    } else {
        ShowMessage(&window, QStringLiteral("The file could not be saved."), QStringLiteral("Error"),
                    path + QStringLiteral("\n") + exported.status.problem().describe());
    }
    progress.start(ChannelCount);
}

void ImportChannelListCommand(MainWindow &window, const QString &path, int firstRow)
{
    Progress &progress = window.progress();
    progress.start(ChannelCount);
    const ChannelListImport result =
        ImportChannelList(path, window.cloneImage().channels, firstRow, [&](int) { progress.advance(); });
    switch (result.kind) {
    case ChannelListImport::Kind::Ok: {
        const QString filled = result.rows.empty() ? QStringLiteral("No channel imported.")
                                                   : QStringLiteral("%1 channels into rows %2 to %3.")
                                                         .arg(result.rows.size())
                                                         .arg(result.rows.front())
                                                         .arg(result.rows.back());
        ShowMessage(&window, QStringLiteral("Import Channel List"), QStringLiteral("Finish"),
                    DescribeNotes({filled}, result.refused, result.warnings));
        break;
    }
    case ChannelListImport::Kind::NotList:
        ShowMessage(&window, QStringLiteral("This file is not a channel list. Nothing was changed."),
                    QStringLiteral("Error"), path + QStringLiteral("\n") + result.problem.why);
        break;
    case ChannelListImport::Kind::CannotRead:
        ShowMessage(&window, QStringLiteral("This File couldn't be opened."), QStringLiteral("Error"),
                    path + QStringLiteral("\n") + result.problem.why);
        break;
    }
    progress.start(ChannelCount);
}

void ExportChannelList_Click(MainWindow &window)
{
    const QString path = WithExtension(
        QFileDialog::getSaveFileName(&window, QString(), StartFolder(), CsvFilter), QStringLiteral(".csv"));
    if (!path.isEmpty())
        ExportChannelListCommand(window, path);
}

void ImportChannelList_Click(MainWindow &window, int firstRow)
{
    const QString path = QFileDialog::getOpenFileName(&window, QString(), StartFolder(), CsvFilter);
    if (!path.isEmpty())
        ImportChannelListCommand(window, path, firstRow);
}

void FILE_EXPORT_Click(MainWindow &window)
{
    const QString path = WithExtension(
        QFileDialog::getSaveFileName(&window, QString(), StartFolder(), CsvFilter), QStringLiteral(".csv"));
    if (!path.isEmpty())
        ExportCsvCommand(window, path);
}

void FILE_INPORT_Click(MainWindow &window)
{
    const QString path = QFileDialog::getOpenFileName(&window, QString(), StartFolder(), CsvFilter);
    if (!path.isEmpty())
        ImportCsvCommand(window, path);
}

void FileSave_Click(MainWindow &window)
{
    const QString path = WithExtension(
        QFileDialog::getSaveFileName(&window, QString(), StartFolder(), ImageFilter), QStringLiteral(".N35"));
    if (!path.isEmpty())
        SaveImageCommand(window, path);
}

void FileOpen_Click(MainWindow &window)
{
    const QString path = QFileDialog::getOpenFileName(&window, QString(), StartFolder(), ImageFilter);
    if (!path.isEmpty())
        OpenImageCommand(window, path);
}

} // namespace n35
