#include "link/portsettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace n35
{

QStringList InstallationFolders()
{
#ifdef Q_OS_WIN
    QStringList folders;
    for (const char *name :
         {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432", "ProgramData", "SystemRoot"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            folders << QDir::fromNativeSeparators(value);
    }
    return folders;
#else
    // /usr holds /usr/local; the rest are where no program of a user's own copy lives either.
    return {QStringLiteral("/usr"),          QStringLiteral("/opt"),     QStringLiteral("/bin"),
            QStringLiteral("/sbin"),         QStringLiteral("/lib"),     QStringLiteral("/lib64"),
            QStringLiteral("/etc"),          QStringLiteral("/var"),     QStringLiteral("/snap"),
            QStringLiteral("/Applications"), QStringLiteral("/Library"), QStringLiteral("/System")};
#endif
}

bool IsPortableFolder(const QString &folder, const QStringList &installed)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir() || !info.isWritable())
        return false;
    const QString path = QDir::cleanPath(info.absoluteFilePath());
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity names = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity names = Qt::CaseSensitive;
    // Another user's folder (root's /usr/local/bin seen by a user who may write it, a shared folder) is
    // not this user's copy.
    if (info.ownerId() != ::geteuid())
        return false;
#endif
    if (path == QStringLiteral("/"))
        return false;
    for (const QString &root : installed) {
        const QString cleaned = QDir::cleanPath(root);
        if (path.compare(cleaned, names) == 0 || path.startsWith(cleaned + QLatin1Char('/'), names))
            return false;
    }
    // A build folder: "rm -rf build" would take the settings with it.
    for (QDir dir(path);;) {
        if (dir.exists(QStringLiteral("CMakeCache.txt")))
            return false;
        if (!dir.cdUp())
            break;
    }
    return true;
}

QString SettingsFolderFor(const QString &programFolder, const QString &configFolder,
                          const QStringList &installed)
{
    return IsPortableFolder(programFolder, installed) ? QDir::cleanPath(programFolder) : configFolder;
}

QString SettingsFilePath()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QStringLiteral("/HVN35Writer");
    const QString folder = SettingsFolderFor(QCoreApplication::applicationDirPath(), config);
    if (folder == config)
        QDir().mkpath(config);
    return QDir(folder).filePath(QString::fromLatin1(SettingsFileName));
}

// The number at the front of a text the way the old settings reader took it: leading blanks skipped,
// an optional sign, then digits up to the first other character.
static int leadingNumber(const QByteArray &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == ' ')
        ++i;
    int sign = 1;
    if (i < text.size() && (text.at(i) == '-' || text.at(i) == '+'))
        sign = text.at(i++) == '-' ? -1 : 1;
    int value = 0;
    for (; i < text.size() && text.at(i) >= '0' && text.at(i) <= '9'; ++i)
        value = value * 10 + (text.at(i) - '0');
    return sign * value;
}

// The settings file is read only when it is a regular file of a sensible size: a pipe in its place would
// hold the program at start for ever, a huge file would be read line by line into memory.
static bool Readable(const QString &path)
{
    constexpr qint64 SettingsFileLimit = 1 << 20;
    const QFileInfo info(path);
    return info.isFile() && info.size() <= SettingsFileLimit;
}

PortSetting ReadPortSetting(const QString &path)
{
    QFile file(path);
    if (!Readable(path) || !file.open(QIODevice::ReadOnly))
        return {};
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        if (!line.startsWith("COMPORT:"))
            continue;
        const int value = line.size() == 10 ? leadingNumber(line.mid(8, 2)) : 0;
        if (value >= 1 && value <= 16)
            return {value};
        return {};
    }
    return {};
}

bool ReadBackupSetting(const QString &path)
{
    QFile file(path);
    if (!Readable(path) || !file.open(QIODevice::ReadOnly))
        return true;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith(BackupKey))
            return line.mid(qsizetype(qstrlen(BackupKey))) != "0";
    }
    return true;
}

QMap<QString, QString> ReadFolderSettings(const QString &path)
{
    QMap<QString, QString> folders;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return folders;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (!line.startsWith(FolderKey))
            continue;
        const qsizetype colon = line.indexOf(':');
        const QByteArray kind =
            line.mid(qsizetype(qstrlen(FolderKey)), colon - qsizetype(qstrlen(FolderKey)));
        const QString folder = QUrl::fromPercentEncoding(line.mid(colon + 1));
        if (colon > 0 && !kind.isEmpty() && !folder.isEmpty())
            folders.insert(QString::fromLatin1(kind), folder);
    }
    return folders;
}

QStringList FolderSettingLines(const QMap<QString, QString> &folders)
{
    QStringList lines;
    for (auto it = folders.cbegin(); it != folders.cend(); ++it) {
        lines << QString::fromLatin1(FolderKey) + it.key() + QLatin1Char(':') +
                     QString::fromLatin1(QUrl::toPercentEncoding(it.value(), "/"));
    }
    return lines;
}

} // namespace n35
