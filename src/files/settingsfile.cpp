#include "files/settingsfile.h"

#include "files/imagefile.h"
#include "files/readfile.h"
#include "files/savefile.h"

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

namespace
{

constexpr const char *PortKey = "COMPORT:";
constexpr const char *BackupKey = "BACKUP:";
constexpr const char *AutoShiftKey = "AUTOSHIFT:";
constexpr const char *RecentFileKey = "RECENT:";
constexpr const char *FolderKey = "FOLDER_";

QByteArray ValueAfter(const QByteArray &line, const char *key)
{
    return line.mid(qsizetype(qstrlen(key)));
}

} // namespace

void RecentFiles::add(const QString &path)
{
    if (path.isEmpty())
        return;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    list.removeAll(absolute);
    list.prepend(absolute);
    while (list.size() > Limit)
        list.removeLast();
}

ProgramSettings ProgramSettings::parse(const QByteArray &content)
{
    ProgramSettings settings;
    bool portSeen = false;
    bool backupSeen = false;
    bool shiftSeen = false;
    for (QByteArray line : content.split('\n')) {
        while (line.endsWith('\r'))
            line.chop(1);
        // The COMPORT line is taken exactly as the image file writes it; the program's own lines may
        // carry blanks around them.
        if (!portSeen && line.startsWith(PortKey)) {
            portSeen = true;
            const int value = line.size() == 10 ? leadingNumber(line.mid(8, 2)) : 0;
            settings.port = value >= 1 && value <= 16 ? value : 1;
            continue;
        }
        const QByteArray text = line.trimmed();
        if (!backupSeen && text.startsWith(BackupKey)) {
            backupSeen = true;
            settings.backupBeforeWriting = ValueAfter(text, BackupKey) != "0";
        } else if (!shiftSeen && text.startsWith(AutoShiftKey)) {
            shiftSeen = true;
            settings.automaticShift = ValueAfter(text, AutoShiftKey) != "0";
        } else if (text.startsWith(RecentFileKey)) {
            const QString path = QUrl::fromPercentEncoding(ValueAfter(text, RecentFileKey));
            QStringList &recent = settings.recent.list;
            if (!path.isEmpty() && !recent.contains(path) && recent.size() < RecentFiles::Limit)
                recent << path;
        } else if (text.startsWith(FolderKey)) {
            const qsizetype colon = text.indexOf(':');
            const QByteArray kind =
                text.mid(qsizetype(qstrlen(FolderKey)), colon - qsizetype(qstrlen(FolderKey)));
            const QString folder = QUrl::fromPercentEncoding(text.mid(colon + 1));
            if (colon > 0 && !kind.isEmpty() && !folder.isEmpty())
                settings.folders.insert(QString::fromLatin1(kind), folder);
        }
    }
    return settings;
}

ProgramSettings ProgramSettings::read(const QString &path)
{
    const Result<QByteArray> content = ReadFileBytes(path);
    return content ? parse(*content) : ProgramSettings{};
}

QStringList ProgramSettings::lines() const
{
    QStringList lines{QString::fromLatin1(BackupKey) + (backupBeforeWriting ? u'1' : u'0'),
                      QString::fromLatin1(AutoShiftKey) + (automaticShift ? u'1' : u'0')};
    for (const QString &path : recent.paths())
        lines << QString::fromLatin1(RecentFileKey) +
                     QString::fromLatin1(QUrl::toPercentEncoding(path, "/\\:"));
    for (auto it = folders.cbegin(); it != folders.cend(); ++it)
        lines << QString::fromLatin1(FolderKey) + it.key() + QLatin1Char(':') +
                     QString::fromLatin1(QUrl::toPercentEncoding(it.value(), "/"));
    return lines;
}

Status SaveProgramSettings(const QString &path, const CloneImage &image, const ProgramSettings &settings,
                           const QDateTime &when)
{
    const Result<QByteArray> content = ImageFileContent(image, settings.port, when, settings.lines());
    if (!content)
        return content.problem();
    return SaveFileAtomically(path, *content);
}

} // namespace n35
