#include "ui/filecommands.h"

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

// What the import refused, row by row, for the message's details.
QString DescribeRefusals(const std::vector<CsvRefusal> &refused)
{
    QStringList lines;
    for (const CsvRefusal &refusal : refused) {
        if (lines.size() == RefusalsShown) {
            lines << QStringLiteral("... and %1 more.").arg(refused.size() - RefusalsShown);
            break;
        }
        lines << QStringLiteral("Row %1, %2 \"%3\": %4%5")
                     .arg(refusal.row)
                     .arg(refusal.column, refusal.text, refusal.reason,
                          refusal.kept ? QStringLiteral(" (the row kept what it held)")
                                       : QStringLiteral(" (the row was emptied)"));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

void SaveImageCommand(MainWindow &window, const QString &path)
{
    QString error;
    if (SaveImageFile(path, window.cloneImage(), window.radioLink().portNumber(), &error))
        ShowMessage(&window, QStringLiteral("Save File"), QStringLiteral("Finish"));
    else
        ShowMessage(&window, QStringLiteral("The file could not be saved."), QStringLiteral("Error"), error);
}

void OpenImageCommand(MainWindow &window, const QString &path)
{
    const LoadOutcome loaded = LoadImageFile(path, window.cloneImage());
    switch (loaded.failure) {
    case LoadFailure::None:
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
                    DescribeRefusals(result.refused));
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

void FILE_EXPORT_Click(MainWindow &window)
{
    const QString path = QFileDialog::getSaveFileName(&window, QString(), StartFolder(), CsvFilter);
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
    const QString path = QFileDialog::getSaveFileName(&window, QString(), StartFolder(), ImageFilter);
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
