#include "ui/backupcommands.h"

#include "files/backup.h"
#include "session/radiobackups.h"
#include "ui/mainwindow.h"
#include "ui/messages.h"

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

void ShowNotices(MainWindow &window, const QList<Notice> &notices)
{
    for (const Notice &notice : notices)
        ShowMessage(&window, notice.text, notice.title, notice.detail);
}

} // namespace

void AddBackupItems(MainWindow &window, QMenu *menu)
{
    menu->addSeparator();
    QAction *restore = menu->addAction(QStringLiteral("Restore Backup..."));
    restore->setObjectName(QStringLiteral("RestoreBackup"));
    QObject::connect(restore, &QAction::triggered, &window, [&window] { RestoreBackup_Click(window); });
    QAction *folder = menu->addAction(QStringLiteral("Open Backup Folder"));
    folder->setObjectName(QStringLiteral("OpenBackupFolder"));
    QObject::connect(folder, &QAction::triggered, &window, [&window] { OpenBackupFolder_Click(window); });
}

void RestoreBackup_Click(MainWindow &window)
{
    const QString path = QFileDialog::getOpenFileName(&window, QStringLiteral("Restore Backup"),
                                                      window.backupFolder(), BackupFilter);
    if (!path.isEmpty())
        RestoreBackupCommand(window, path);
}

void RestoreBackupCommand(MainWindow &window, const QString &path)
{
    // A damaged or cut backup is refused before the radio is asked anything.
    const Result<RadioBackup> backup = LoadBackupFile(path);
    if (!backup) {
        ShowProblem(&window, QStringLiteral("This backup cannot be restored. Nothing was written."),
                    QStringLiteral(" Error"), backup.problem(), path);
        return;
    }
    if (!AskYesNo(
            &window,
            QStringLiteral("Write the backup of %1 back to the radio? Everything the radio holds now is "
                           "replaced.")
                .arg(backup->taken.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))),
            QStringLiteral("Restore Backup")))
        return;
    window.runRadioCommand([&window, &backup, &path] {
        const RestoreReport report = RestoreBackup(window.radioLink(), *backup, window.progress());
        if (!report.outcome.ok) {
            ShowMessage(&window, report.outcome.message.text, report.outcome.message.title,
                        report.outcome.message.detail);
        } else if (!report.differences.isEmpty()) {
            ShowMessage(&window,
                        QStringLiteral("The radio differs from the backup in %1 place(s) after the restore.")
                            .arg(report.differences.size()),
                        QStringLiteral(" Error"), report.differences.join(QLatin1Char('\n')));
        } else {
            ShowMessage(&window, QStringLiteral("The backup was restored."), QStringLiteral(" Finish"), {},
                        QDir::toNativeSeparators(path));
        }
    });
}

void OpenBackupFolder_Click(MainWindow &window)
{
    const QString folder = window.backupFolder();
    if (!QDir().mkpath(folder) || !QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        ShowMessage(&window, QStringLiteral("The backup folder could not be shown."),
                    QStringLiteral(" Error"), QDir::toNativeSeparators(folder));
}

void OpenBackupCommand(MainWindow &window, const QString &path)
{
    const Result<LoadNotices> opened = OpenBackupFile(path, window.cloneImage());
    if (!opened) {
        // A backup that is whole but does not decode can still be restored; one that is not whole cannot.
        if (opened.problem().kind == ProblemKind::BadLine)
            ShowProblem(&window, BackupNotShownText(), QStringLiteral(" Error"), opened.problem());
        else
            ShowProblem(&window, QStringLiteral("The file could not be loaded. Nothing was changed."),
                        QStringLiteral("Error"), opened.problem());
        return;
    }
    ShowNotices(window, *opened);
    ShowMessage(&window, QStringLiteral("Read File"), QStringLiteral("Finish"));
}

void ShowWriteReport(MainWindow &window, const WriteReport &report)
{
    const TransferOutcome &written = report.outcome;
    ShowNotices(window, written.notices);
    const QString backup = QDir::toNativeSeparators(report.backupPath);
    if (written.ok) {
        ShowMessage(&window, QStringLiteral("ALL write successed."), QStringLiteral(" Finish"),
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
    if (report.backupPath.isEmpty() && window.backupBeforeWriting() &&
        written.message.text.startsWith(QLatin1String("The radio could not be backed up")))
        detail +=
            QStringLiteral("\nTo write without a backup, turn off \"Back up the radio before writing\" in "
                           "the Communication menu.");
    ShowMessage(&window, written.message.text, written.message.title, detail);
}

} // namespace n35
