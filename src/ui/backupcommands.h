#pragma once

#include <QString>

class QMenu;

class QWidget;

namespace n35
{

class Session;
struct WriteReport;

// The window's side of the backups: the Communication menu's "Restore Backup..." and "Open Backup
// Folder", a backup opened with File > Open, and what "Write All Data" tells when it ends. The work itself
// is the session's (session/radiobackups.h).

// Adds "Restore Backup..." and "Open Backup Folder" to `menu`.
void AddBackupItems(Session &session, QWidget *parent, QMenu *menu);

// Asks for a backup in the backup folder and restores it, if the user agrees.
void RestoreBackup_Click(Session &session, QWidget *parent);
// Restores the backup file at `path` (asking first), reading the radio back after it.
void RestoreBackupCommand(Session &session, QWidget *parent, const QString &path);
// Shows the backup folder in the file manager (made first, when there is none yet).
void OpenBackupFolder_Click(Session &session, QWidget *parent);

// File > Open of a backup: shown where it decodes, or the first place that does not.
void OpenBackupCommand(Session &session, QWidget *parent, const QString &path);

// The end of "Write All Data": its notices, then "ALL write successed." with the backup's path, or the
// failure.
void ShowWriteReport(Session &session, QWidget *parent, const WriteReport &report);

} // namespace n35
