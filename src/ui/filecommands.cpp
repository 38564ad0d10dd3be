#include "ui/filecommands.h"

#include "files/chirpcsv.h"
#include "files/csvfile.h"
#include "files/fileproblems.h"
#include "files/imagefile.h"
#include "link/progress.h"
#include "session/radiobackups.h"
#include "ui/backupcommands.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace n35
{

namespace
{

// The kinds of file the dialogs offer; each remembers the folder it was last used in.
struct FileKind {
    const char *folderKey;
    const char *filter;
    const char *extension; // what a typed name without it gets
};
constexpr FileKind ImageFiles{"N35", "N35 Files (*.N35 *.n35);;All Files (*)", ".N35"};
// Open also takes a backup of the radio, which shows as an image where it decodes.
constexpr FileKind ImageOpenFiles{"N35", "N35 Files (*.N35 *.n35);;Backups (*.n35bak);;All Files (*)",
                                  ".N35"};
constexpr FileKind CsvFiles{"CSV", "CSV Files (*.CSV *.csv);;All Files (*)", ".csv"};
constexpr int RefusalsShown = 40;

QString AskOpenPath(MainWindow &window, const QString &title, const FileKind &kind)
{
    const QString key = QString::fromLatin1(kind.folderKey);
    QString path = QFileDialog::getOpenFileName(&window, title, window.startFolder(key),
                                                QString::fromLatin1(kind.filter));
    if (!path.isEmpty())
        window.rememberFolder(key, path);
    return path;
}

// What a channel list import or export has to say line by line, for the message's details.
QString DescribeNotes(QStringList lines, const std::vector<RowNote> &warnings)
{
    const qsizetype total = lines.size() + qsizetype(warnings.size());
    for (const RowNote &warning : warnings)
        lines << warning.describe();
    if (lines.size() > RefusalsShown) {
        lines = lines.mid(0, RefusalsShown);
        lines << QStringLiteral("... and %1 more.").arg(total - RefusalsShown);
    }
    return lines.join(QLatin1Char('\n'));
}

// After an import's "Finish": the lines it refused, where the user sees them without opening the
// details (the first few; all of them in the details).
void ShowRefusals(MainWindow &window, QStringList refusals)
{
    constexpr qsizetype Visible = 8;
    if (refusals.isEmpty())
        return;
    for (QString &line : refusals)
        line = line.left(1).toUpper() + line.mid(1);
    QStringList text{refusals.size() == 1
                         ? QStringLiteral("1 line was not imported:")
                         : QStringLiteral("%1 lines were not imported:").arg(refusals.size())};
    text << refusals.mid(0, Visible);
    if (refusals.size() > Visible)
        text << QStringLiteral("... and %1 more (see the details).").arg(refusals.size() - Visible);
    ShowMessage(&window, text.join(QLatin1Char('\n')), QStringLiteral("Import"),
                refusals.size() > Visible ? refusals.join(QLatin1Char('\n')) : QString());
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
    const Status saved = SaveImageFile(path, window.cloneImage(), window.radioLink().portNumber());
    if (!saved) {
        ShowProblem(&window, QStringLiteral("The file could not be saved."), QStringLiteral("Error"),
                    saved.problem());
        return;
    }
    window.markClean();
    window.noteImageFile(path);
    ShowMessage(&window, QStringLiteral("Save File"), QStringLiteral("Finish"));
}

void OpenImageCommand(MainWindow &window, const QString &path)
{
    if (IsBackupFile(path)) {
        OpenBackupCommand(window, path);
        return;
    }
    const Result<LoadNotices> loaded = LoadImageFile(path, window.cloneImage());
    if (!loaded) {
        // Nothing was loaded: the whole file is read before anything changes.
        ShowProblem(&window,
                    loaded.problem().kind == ProblemKind::WrongName
                        ? FileNotOpenedText()
                        : QStringLiteral("The file could not be loaded. Nothing was changed."),
                    QStringLiteral("Error"), loaded.problem(), path);
        return;
    }
    window.markClean();
    window.noteImageFile(path);
    for (const Notice &notice : *loaded)
        ShowMessage(&window, notice.text, notice.title, notice.detail);
    ShowMessage(&window, QStringLiteral("Read File"), QStringLiteral("Finish"));
}

void ExportCsvCommand(MainWindow &window, const QString &path)
{
    Progress &progress = window.progress();
    progress.start(ChannelCount);
    const CsvExportResult written = ExportCsv(path, window.cloneImage().channels, [&](int row) {
        if (row > 0)
            progress.advance();
    });
    if (written.ok())
        ShowMessage(&window, QStringLiteral("Save File"), QStringLiteral("Finish"),
                    ListWarnings(written.warnings, RefusalsShown));
    else
        ShowProblem(&window, QStringLiteral("The file could not be saved."), QStringLiteral("Error"),
                    written.status.problem());
    progress.start(ChannelCount);
}

void ImportCsvCommand(MainWindow &window, const QString &path)
{
    Progress &progress = window.progress();
    progress.start(ChannelCount);
    const CsvImportResult result =
        ImportCsv(path, window.cloneImage().channels, [&](int) { progress.advance(); });
    if (result.ok()) {
        // A file that ends early says how far it reached; the rows it refused follow in a box of their own.
        ShowMessage(&window, QStringLiteral("Inport CSV File"), QStringLiteral(" Finish"),
                    RowsReadText(result.rowsRead, ChannelCount));
        QStringList refusals;
        for (const RowNote &refusal : result.refused)
            refusals << DescribeRefusal(refusal);
        ShowRefusals(window, refusals);
    } else if (result.status.problem().kind == ProblemKind::NotThisFormat) {
        ShowProblem(&window, QStringLiteral("CSV File Error"), QStringLiteral(" Error"),
                    result.status.problem());
    } else {
        ShowProblem(&window, QStringLiteral("This File couldn't be opened."), QStringLiteral("Error"),
                    result.status.problem());
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
        ShowMessage(
            &window, QStringLiteral("Save File"), QStringLiteral("Finish"),
            DescribeNotes({QStringLiteral("%1 channels written.").arg(exported.written)}, exported.warnings));
    } else {
        ShowProblem(&window, QStringLiteral("The file could not be saved."), QStringLiteral("Error"),
                    exported.status.problem());
    }
    progress.start(ChannelCount);
}

void ImportChannelListCommand(MainWindow &window, const QString &path, int firstRow)
{
    Progress &progress = window.progress();
    progress.start(ChannelCount);
    const ChannelListImport result =
        ImportChannelList(path, window.cloneImage().channels, firstRow, [&](int) { progress.advance(); });
    if (result.ok()) {
        const QString filled = result.rows.empty() ? QStringLiteral("No channel imported.")
                                                   : QStringLiteral("%1 channels into rows %2 to %3.")
                                                         .arg(result.rows.size())
                                                         .arg(result.rows.front())
                                                         .arg(result.rows.back());
        ShowMessage(&window, QStringLiteral("Import Channel List"), QStringLiteral("Finish"),
                    DescribeNotes({filled}, result.warnings));
        QStringList refusals;
        for (const RowNote &refusal : result.refused)
            refusals << refusal.describe();
        ShowRefusals(window, refusals);
    } else if (result.status.problem().kind == ProblemKind::NotThisFormat) {
        ShowProblem(&window, QStringLiteral("This file is not a channel list. Nothing was changed."),
                    QStringLiteral("Error"), result.status.problem());
    } else {
        ShowProblem(&window, QStringLiteral("This File couldn't be opened."), QStringLiteral("Error"),
                    result.status.problem());
    }
    progress.start(ChannelCount);
}

QString ConfirmedSavePath(QWidget *parent, const QString &chosen, const QString &extension)
{
    QString path = WithExtension(chosen, extension);
    // The dialog asked about the name as typed; the name with its extension is another file.
    if (path == chosen || !QFileInfo::exists(path))
        return path;
    const bool replace = AskYesNo(
        parent,
        QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName()),
        QStringLiteral("Confirm Save As"));
    return replace ? path : QString();
}

QString AskSavePath(MainWindow &window, const QString &title, const char *folderKey, const QString &filter,
                    const QString &extension)
{
    const QString key = QString::fromLatin1(folderKey);
    QString start = window.startFolder(key);
    for (;;) {
        const QString chosen = QFileDialog::getSaveFileName(&window, title, start, filter);
        if (chosen.isEmpty())
            return {};
        if (QString path = ConfirmedSavePath(&window, chosen, extension); !path.isEmpty()) {
            window.rememberFolder(key, path);
            return path;
        }
        start = chosen; // "No": the dialog again, at the name the user typed
    }
}

namespace
{

QString AskSavePath(MainWindow &window, const QString &title, const FileKind &kind)
{
    return AskSavePath(window, title, kind.folderKey, QString::fromLatin1(kind.filter),
                       QString::fromLatin1(kind.extension));
}

} // namespace

void ExportChannelList_Click(MainWindow &window)
{
    const QString path = AskSavePath(window, QStringLiteral("Export Channel List"), CsvFiles);
    if (!path.isEmpty())
        ExportChannelListCommand(window, path);
}

void ImportChannelList_Click(MainWindow &window, int firstRow)
{
    const QString path = AskOpenPath(window, QStringLiteral("Import Channel List"), CsvFiles);
    if (!path.isEmpty())
        ImportChannelListCommand(window, path, firstRow);
}

void FILE_EXPORT_Click(MainWindow &window)
{
    const QString path = AskSavePath(window, QStringLiteral("Export CSV File"), CsvFiles);
    if (!path.isEmpty())
        ExportCsvCommand(window, path);
}

void FILE_INPORT_Click(MainWindow &window)
{
    const QString path = AskOpenPath(window, QStringLiteral("Import CSV File"), CsvFiles);
    if (!path.isEmpty())
        ImportCsvCommand(window, path);
}

void FileSave_Click(MainWindow &window)
{
    const QString path = AskSavePath(window, QStringLiteral("Save Clone Image File"), ImageFiles);
    if (!path.isEmpty())
        SaveImageCommand(window, path);
}

void FileOpen_Click(MainWindow &window)
{
    const QString path = AskOpenPath(window, QStringLiteral("Open Clone Image File"), ImageOpenFiles);
    if (!path.isEmpty())
        OpenImageCommand(window, path);
}

} // namespace n35
