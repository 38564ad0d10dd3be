#pragma once

#include <QString>
#include <QStringList>

namespace n35
{

// The settings file's own lines for the channel programmer's habits, after the image it holds:
// "RECENT:" once per recent clone image (newest first) and "AUTOSHIFT:1" or "AUTOSHIFT:0".
inline constexpr const char *RecentFileKey = "RECENT:";
inline constexpr const char *AutoShiftKey = "AUTOSHIFT:";

// The clone images opened or saved last, newest first, at most eight, each once.
class RecentFiles
{
public:
    static constexpr int Limit = 8;

    const QStringList &paths() const { return list; }
    // Puts `path` first (as an absolute path), dropping an older mention of it and the ninth.
    void add(const QString &path);
    void clear() { list.clear(); }

    // The settings file's lines for the list. A path may hold any character, and the settings file is
    // ASCII: each is written as percent-encoded UTF-8.
    QStringList settingsLines() const;
    // The list the settings file at `settingsPath` holds; empty for a missing file or one without.
    static RecentFiles read(const QString &settingsPath);

private:
    QStringList list;
};

// "Automatic repeater shift": on unless the settings file says "AUTOSHIFT:0".
bool ReadAutoShiftSetting(const QString &settingsPath);
QString AutoShiftLine(bool on);

} // namespace n35
