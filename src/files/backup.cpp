#include "files/backup.h"

#include "link/portsettings.h"

#include <QDir>
#include <QFileInfo>

namespace n35
{

QString BackupFolder(const QString &settingsFile)
{
    const QString settings = settingsFile.isEmpty() ? SettingsFilePath() : settingsFile;
    return QFileInfo(settings).dir().filePath(QStringLiteral("backups"));
}

QString BackupFilePath(const QString &folder, const QDateTime &when)
{
    return QDir(folder).filePath(
        QStringLiteral("hvn35-backup-%1.N35").arg(when.toString(QStringLiteral("yyyyMMdd-HHmmss"))));
}

} // namespace n35
