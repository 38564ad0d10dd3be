#pragma once

#include <QDateTime>
#include <QString>

namespace n35
{

// Before a whole-radio write the radio is read into a backup file, so a write the user regrets can be
// undone with "Open" and "Write All Data". Backups live in "backups" beside the settings file (by
// default the program's own, SettingsFilePath()).
QString BackupFolder(const QString &settingsFile = {});
// "<folder>/hvn35-backup-20261206-214500.N35".
QString BackupFilePath(const QString &folder, const QDateTime &when = QDateTime::currentDateTime());

} // namespace n35
