#include "ui/filecommands.h"

#include "files/chirpcsv.h"
#include "files/csvfile.h"
#include "files/fileproblems.h"
#include "files/imagefile.h"
#include "link/progress.h"
#include "model/fixedtexts.h"
#include "session/radiobackups.h"
#include "session/session.h"
#include "ui/backupcommands.h"
#include "ui/channelprint.h"
#include "ui/memorypage.h"
#include "ui/menuitem.h"
#include "ui/messages.h"
#include "ui/radiocommand.h"
#include "ui/recentfiles.h"
#include "ui/unsavedchanges.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
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

QString AskOpenPath(Session &session, QWidget *parent, const QString &title, const FileKind &kind)
{
    const QString key = QString::fromLatin1(kind.folderKey);
    QString path = QFileDialog::getOpenFileName(parent, title, session.startFolder(key),
                                                QString::fromLatin1(kind.filter));
    if (!path.isEmpty())
        session.rememberFolder(key, path);
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
void ShowRefusals(QWidget *parent, QStringList refusals)
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
    ShowMessage(parent, text.join(QLatin1Char('\n')), FixedText::ImportTitle(),
                refusals.size() > Visible ? refusals.join(QLatin1Char('\n')) : QString());
}

} // namespace

QString WithExtension(const QString &path, const QString &extension)
{
    if (path.isEmpty() || path.endsWith(extension, Qt::CaseInsensitive))
        return path;
    return path + extension;
}

void SaveImageCommand(Session &session, QWidget *parent, const QString &path)
{
    const Status saved = session.save(path);
    if (!saved) {
        ShowProblem(parent, FixedText::FileNotSaved(), FixedText::FileErrorTitle(), saved.problem());
        return;
    }
    ShowMessage(parent, FixedText::SaveFile(), FixedText::FileFinishTitle());
}

void OpenImageCommand(Session &session, QWidget *parent, const QString &path)
{
    if (IsBackupFile(path)) {
        OpenBackupCommand(session, parent, path);
        return;
    }
    const Result<LoadNotices> loaded = session.open(path);
    if (!loaded) {
        // Nothing was loaded: the whole file is read before anything changes.
        ShowProblem(parent,
                    loaded.problem().kind == ProblemKind::WrongName ? FixedText::FileNotOpened()
                                                                    : FixedText::FileNotLoaded(),
                    FixedText::FileErrorTitle(), loaded.problem(), path);
        return;
    }
    for (const Notice &notice : *loaded)
        ShowMessage(parent, notice.text, notice.title, notice.detail);
    ShowMessage(parent, FixedText::ReadFile(), FixedText::FileFinishTitle());
}

void ExportCsvCommand(Session &session, QWidget *parent, const QString &path)
{
    Progress &progress = session.progress();
    progress.start(ChannelCount);
    const CsvExportResult written = ExportCsv(path, session.image().channels, [&](int row) {
        if (row > 0)
            progress.advance();
    });
    if (written.ok())
        ShowMessage(parent, FixedText::SaveFile(), FixedText::FileFinishTitle(),
                    ListWarnings(written.warnings, RefusalsShown));
    else
        ShowProblem(parent, FixedText::FileNotSaved(), FixedText::FileErrorTitle(), written.status.problem());
    progress.start(ChannelCount);
}

void ImportCsvCommand(Session &session, QWidget *parent, const QString &path)
{
    Progress &progress = session.progress();
    progress.start(ChannelCount);
    const CsvImportResult result =
        ImportCsv(path, session.image().channels, [&](int) { progress.advance(); });
    if (result.ok()) {
        // A file that ends early says how far it reached; the rows it refused follow in a box of their own.
        ShowMessage(parent, FixedText::CsvImported(), FixedText::FinishTitle(),
                    RowsReadText(result.rowsRead, ChannelCount));
        QStringList refusals;
        for (const RowNote &refusal : result.refused)
            refusals << DescribeRefusal(refusal);
        ShowRefusals(parent, refusals);
    } else if (result.status.problem().kind == ProblemKind::NotThisFormat) {
        ShowProblem(parent, FixedText::CsvFileError(), FixedText::ErrorTitle(), result.status.problem());
    } else {
        ShowProblem(parent, FixedText::FileNotOpened(), FixedText::FileErrorTitle(), result.status.problem());
    }
    progress.start(ChannelCount);
}

void ExportChannelListCommand(Session &session, QWidget *parent, const QString &path)
{
    Progress &progress = session.progress();
    progress.start(ChannelCount);
    const ChannelListExport exported = ExportChannelList(path, session.image().channels, [&](int row) {
        if (row > 0)
            progress.advance();
    });
    if (exported.status) {
        ShowMessage(
            parent, FixedText::SaveFile(), FixedText::FileFinishTitle(),
            DescribeNotes({QStringLiteral("%1 channels written.").arg(exported.written)}, exported.warnings));
    } else {
        ShowProblem(parent, FixedText::FileNotSaved(), FixedText::FileErrorTitle(),
                    exported.status.problem());
    }
    progress.start(ChannelCount);
}

void ImportChannelListCommand(Session &session, QWidget *parent, const QString &path, int firstRow)
{
    Progress &progress = session.progress();
    progress.start(ChannelCount);
    const ChannelListImport result =
        ImportChannelList(path, session.image().channels, firstRow, [&](int) { progress.advance(); });
    if (result.ok()) {
        const QString filled = result.rows.empty() ? QStringLiteral("No channel imported.")
                                                   : QStringLiteral("%1 channels into rows %2 to %3.")
                                                         .arg(result.rows.size())
                                                         .arg(result.rows.front())
                                                         .arg(result.rows.back());
        ShowMessage(parent, FixedText::ChannelListImported(), FixedText::FileFinishTitle(),
                    DescribeNotes({filled}, result.warnings));
        QStringList refusals;
        for (const RowNote &refusal : result.refused)
            refusals << refusal.describe();
        ShowRefusals(parent, refusals);
    } else if (result.status.problem().kind == ProblemKind::NotThisFormat) {
        ShowProblem(parent, FixedText::NotChannelList(), FixedText::FileErrorTitle(),
                    result.status.problem());
    } else {
        ShowProblem(parent, FixedText::FileNotOpened(), FixedText::FileErrorTitle(), result.status.problem());
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
        FixedText::ConfirmSaveAsTitle());
    return replace ? path : QString();
}

QString AskSavePath(Session &session, QWidget *parent, const QString &title, const char *folderKey,
                    const QString &filter, const QString &extension)
{
    const QString key = QString::fromLatin1(folderKey);
    QString start = session.startFolder(key);
    for (;;) {
        const QString chosen = QFileDialog::getSaveFileName(parent, title, start, filter);
        if (chosen.isEmpty())
            return {};
        if (QString path = ConfirmedSavePath(parent, chosen, extension); !path.isEmpty()) {
            session.rememberFolder(key, path);
            return path;
        }
        start = chosen; // "No": the dialog again, at the name the user typed
    }
}

namespace
{

QString AskSavePath(Session &session, QWidget *parent, const QString &title, const FileKind &kind)
{
    return AskSavePath(session, parent, title, kind.folderKey, QString::fromLatin1(kind.filter),
                       QString::fromLatin1(kind.extension));
}

} // namespace

void ExportChannelList_Click(Session &session, QWidget *parent)
{
    const QString path = AskSavePath(session, parent, QStringLiteral("Export Channel List"), CsvFiles);
    if (!path.isEmpty())
        ExportChannelListCommand(session, parent, path);
}

void ImportChannelList_Click(Session &session, QWidget *parent, int firstRow)
{
    const QString path = AskOpenPath(session, parent, FixedText::ChannelListImported(), CsvFiles);
    if (!path.isEmpty())
        ImportChannelListCommand(session, parent, path, firstRow);
}

void FILE_EXPORT_Click(Session &session, QWidget *parent)
{
    const QString path = AskSavePath(session, parent, QStringLiteral("Export CSV File"), CsvFiles);
    if (!path.isEmpty())
        ExportCsvCommand(session, parent, path);
}

void FILE_INPORT_Click(Session &session, QWidget *parent)
{
    const QString path = AskOpenPath(session, parent, QStringLiteral("Import CSV File"), CsvFiles);
    if (!path.isEmpty())
        ImportCsvCommand(session, parent, path);
}

void FileSave_Click(Session &session, QWidget *parent)
{
    const QString path = AskSavePath(session, parent, QStringLiteral("Save Clone Image File"), ImageFiles);
    if (!path.isEmpty())
        SaveImageCommand(session, parent, path);
}

void FileOpen_Click(Session &session, QWidget *parent)
{
    const QString path =
        AskOpenPath(session, parent, QStringLiteral("Open Clone Image File"), ImageOpenFiles);
    if (!path.isEmpty())
        OpenImageCommand(session, parent, path);
}

QMenu *AddFileMenu(QMenuBar *bar, Session &session, QWidget *parent, MemoryPage &memory)
{
    QMenu *File = bar->addMenu(FixedText::FileMenu());
    File->setObjectName(QStringLiteral("File"));
    QAction *FileOpen = AddMenuItem(File, FixedText::OpenItem(), "FileOpen");
    auto *recentFiles = new RecentFilesMenu(session, File);
    File->addMenu(recentFiles);
    QAction *FileSave = AddMenuItem(File, FixedText::SaveItem(), "FileSave");
    QAction *Inport = AddMenuItem(File, FixedText::ImportItem(), "Inport");
    QAction *Export = AddMenuItem(File, FixedText::ExportItem(), "Export");
    File->addSeparator();
    QAction *ImportChannelList =
        AddMenuItem(File, QStringLiteral("Import channel list..."), "ImportChannelList");
    QAction *ExportChannelList =
        AddMenuItem(File, QStringLiteral("Export channel list..."), "ExportChannelList");
    File->addSeparator();
    QAction *FilePrint = AddMenuItem(File, QStringLiteral("Print..."), "FilePrint");
    FilePrint->setShortcut(QKeySequence::Print);
    QAction *ExportPdf = AddMenuItem(File, QStringLiteral("Export PDF..."), "ExportPdf");
    File->addSeparator();
    QAction *FileExit = AddMenuItem(File, QStringLiteral("Exit(&X)"), "FileExit");
    FileExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    // What replaces the image asks about unsaved changes first.
    auto replacing = [&session, parent](const std::function<void()> &open) {
        if (ConfirmUnsavedChanges(session, parent, QStringLiteral("opening another file")))
            open();
    };
    QObject::connect(FileOpen, &QAction::triggered, parent,
                     [=, &session] { replacing([&session, parent] { FileOpen_Click(session, parent); }); });
    QObject::connect(recentFiles, &RecentFilesMenu::openRequested, parent,
                     [=, &session](const QString &path) {
                         replacing([&session, parent, &path] { OpenImageCommand(session, parent, path); });
                     });
    QObject::connect(FileSave, &QAction::triggered, parent,
                     [&session, parent] { FileSave_Click(session, parent); });
    QObject::connect(Inport, &QAction::triggered, parent, [&session, parent] {
        session.runStep(FixedText::ImportTitle(), [&session, parent] { FILE_INPORT_Click(session, parent); });
    });
    QObject::connect(Export, &QAction::triggered, parent,
                     [&session, parent] { FILE_EXPORT_Click(session, parent); });
    // A channel list from another program fills rows from the grid's current row on.
    QObject::connect(ImportChannelList, &QAction::triggered, parent, [&session, parent, &memory] {
        const int first = memory.currentChannel();
        session.runStep(QStringLiteral("Import channel list"),
                        [&session, parent, first] { ImportChannelList_Click(session, parent, first); });
    });
    QObject::connect(ExportChannelList, &QAction::triggered, parent,
                     [&session, parent] { ExportChannelList_Click(session, parent); });
    QObject::connect(FilePrint, &QAction::triggered, parent,
                     [&session, parent] { FilePrint_Click(session, parent); });
    QObject::connect(ExportPdf, &QAction::triggered, parent,
                     [&session, parent] { ExportPdf_Click(session, parent); });
    QObject::connect(FileExit, &QAction::triggered, parent, &QWidget::close);
    return File;
}

} // namespace n35
