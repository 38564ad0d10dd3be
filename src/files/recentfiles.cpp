#include "files/recentfiles.h"

#include "files/readfile.h"

#include <QByteArray>
#include <QFileInfo>
#include <QUrl>

namespace n35
{

namespace
{

// The values of the settings file's lines that begin with `key`, in file order.
QList<QByteArray> ValuesOf(const QString &settingsPath, const char *key)
{
    QList<QByteArray> values;
    // A settings file that is missing or cannot be read holds no such line.
    const Result<QByteArray> content = ReadFileBytes(settingsPath);
    if (!content)
        return values;
    for (const QByteArray &line : content->split('\n')) {
        const QByteArray text = line.trimmed();
        if (text.startsWith(key))
            values << text.mid(qsizetype(qstrlen(key)));
    }
    return values;
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

QStringList RecentFiles::settingsLines() const
{
    QStringList lines;
    for (const QString &path : list)
        lines << QString::fromLatin1(RecentFileKey) +
                     QString::fromLatin1(QUrl::toPercentEncoding(path, "/\\:"));
    return lines;
}

RecentFiles RecentFiles::read(const QString &settingsPath)
{
    RecentFiles recent;
    for (const QByteArray &value : ValuesOf(settingsPath, RecentFileKey)) {
        const QString path = QUrl::fromPercentEncoding(value);
        if (!path.isEmpty() && !recent.list.contains(path) && recent.list.size() < Limit)
            recent.list << path;
    }
    return recent;
}

bool ReadAutoShiftSetting(const QString &settingsPath)
{
    const QList<QByteArray> values = ValuesOf(settingsPath, AutoShiftKey);
    return values.isEmpty() || values.constFirst() != "0";
}

QString AutoShiftLine(bool on)
{
    return QString::fromLatin1(AutoShiftKey) + (on ? u'1' : u'0');
}

} // namespace n35
