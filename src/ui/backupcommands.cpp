#include "ui/backupcommands.h"

#include "files/backup.h"
#include "model/fixedtexts.h"
#include "session/radiobackups.h"
#include "session/session.h"
#include "ui/menuitem.h"
#include "ui/messages.h"
#include "ui/radiocommand.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QUrl>

namespace n35
{

namespace
{

const QString BackupFilter = QStringLiteral("Backups (*.n35bak);;すべてのファイル (*)");

void ShowNotices(QWidget *parent, const QList<Notice> &notices)
{
    for (const Notice &notice : notices)
        ShowMessage(parent, notice.text, notice.title, notice.detail);
}

} // namespace

void AddBackupItems(Session &session, QWidget *parent, QMenu *menu)
{
    menu->addSeparator();
    QAction *restore = AddMenuItem(menu, QStringLiteral("Restore Backup..."), "RestoreBackup");
    QObject::connect(restore, &QAction::triggered, parent,
                     [&session, parent] { RestoreBackup_Click(session, parent); });
    QAction *folder = AddMenuItem(menu, QStringLiteral("Open Backup Folder"), "OpenBackupFolder");
    QObject::connect(folder, &QAction::triggered, parent,
                     [&session, parent] { OpenBackupFolder_Click(session, parent); });
}

void RestoreBackup_Click(Session &session, QWidget *parent)
{
    const QString path =
        QFileDialog::getOpenFileName(parent, FixedText::RestoreTitle(), session.backupFolder(), BackupFilter);
    if (!path.isEmpty())
        RestoreBackupCommand(session, parent, path);
}

void RestoreBackupCommand(Session &session, QWidget *parent, const QString &path)
{
    // A damaged or cut backup is refused before the radio is asked anything.
    const Result<RadioBackup> backup = LoadBackupFile(path);
    if (!backup) {
        ShowProblem(parent, FixedText::BackupFileNotRestorable(), FixedText::ErrorTitle(), backup.problem(),
                    path);
        return;
    }
    if (!AskYesNo(
            parent,
            QStringLiteral("Write the backup of %1 back to the radio? Everything the radio holds now is "
                           "replaced.")
                .arg(backup->taken.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))),
            FixedText::RestoreTitle()))
        return;
    const RestoreReport report = session.restore(*backup);
    if (!report.outcome.ok) {
        ShowMessage(parent, report.outcome.message.text, report.outcome.message.title,
                    report.outcome.message.detail);
    } else if (!report.differences.isEmpty()) {
        ShowMessage(parent,
                    QStringLiteral("The radio differs from the backup in %1 place(s) after the restore.")
                        .arg(report.differences.size()),
                    FixedText::ErrorTitle(), report.differences.join(QLatin1Char('\n')));
    } else {
        ShowMessage(parent, FixedText::BackupRestored(), FixedText::FinishTitle(), {},
                    QDir::toNativeSeparators(path));
    }
}

void OpenBackupFolder_Click(Session &session, QWidget *parent)
{
    const QString folder = session.backupFolder();
    if (!QDir().mkpath(folder) || !QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        ShowMessage(parent, FixedText::BackupFolderNotShown(), FixedText::ErrorTitle(),
                    QDir::toNativeSeparators(folder));
}

void OpenBackupCommand(Session &session, QWidget *parent, const QString &path)
{
    const Result<LoadNotices> opened = session.openBackup(path);
    if (!opened) {
        // A backup that is whole but does not decode can still be restored; one that is not whole cannot.
        if (opened.problem().kind == ProblemKind::BadLine)
            ShowProblem(parent, FixedText::BackupNotShown(), FixedText::ErrorTitle(), opened.problem());
        else
            ShowProblem(parent, FixedText::FileNotLoaded(), FixedText::FileErrorTitle(), opened.problem());
        return;
    }
    ShowNotices(parent, *opened);
    ShowMessage(parent, FixedText::ReadFile(), FixedText::FileFinishTitle());
}

void ShowWriteReport(Session &session, QWidget *parent, const WriteReport &report)
{
    const TransferOutcome &written = report.outcome;
    ShowNotices(parent, written.notices);
    const QString backup = QDir::toNativeSeparators(report.backupPath);
    if (written.ok) {
        ShowMessage(parent, FixedText::AllWriteSucceeded(), FixedText::FinishTitle(),
                    QStringLiteral("%1 blocks sent, %2 the radio already held.")
                        .arg(report.blocksWritten)
                        .arg(report.blocksSkipped),
                    backup.isEmpty()
                        ? QString()
                        : QStringLiteral("The radio's former contents are in the backup\n") + backup);
        return;
    }
    if (written.message.text.isEmpty())
        return;
    QString detail = written.message.detail;
    if (report.backupPath.isEmpty() && session.settings().backupBeforeWriting &&
        written.message.text.startsWith(QLatin1String("The radio could not be backed up")))
        detail +=
            QStringLiteral("\nTo write without a backup, turn off \"Back up the radio before writing\" in "
                           "the Communication menu.");
    ShowMessage(parent, written.message.text, written.message.title, detail);
}

} // namespace n35
