#pragma once

#include <QString>

class QMenu;

namespace n35
{

class MainWindow;
struct WriteReport;

// The window's side of the backups: the Communication menu's "Restore Backup..." and "Open Backup
// Folder", a backup opened with File > Open, and what "Write All Data" tells when it ends. The work itself
// is the session's (session/radiobackups.h).

// Adds "Restore Backup..." and "Open Backup Folder" to `menu`.
void AddBackupItems(MainWindow &window, QMenu *menu);

// Asks for a backup in the backup folder and restores it, if the user agrees.
void RestoreBackup_Click(MainWindow &window);
// Restores the backup file at `path` (asking first), reading the radio back after it.
void RestoreBackupCommand(MainWindow &window, const QString &path);
// Shows the backup folder in the file manager (made first, when there is none yet).
void OpenBackupFolder_Click(MainWindow &window);

// File > Open of a backup: shown where it decodes, or the first place that does not.
void OpenBackupCommand(MainWindow &window, const QString &path);

// The end of "Write All Data": its notices, then "ALL write successed." with the backup's path, or the
// failure.
void ShowWriteReport(MainWindow &window, const WriteReport &report);

} // namespace n35
