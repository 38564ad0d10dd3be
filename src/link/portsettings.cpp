#include "link/portsettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace n35
{

QString SettingsFilePath()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    const QFileInfo dirInfo(programDir);
    if (!programDir.isEmpty() && dirInfo.isDir() && dirInfo.isWritable())
        return QDir(programDir).filePath(QString::fromLatin1(SettingsFileName));
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return QDir(config).filePath(QString::fromLatin1(SettingsFileName));
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
            return {value, true};
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
