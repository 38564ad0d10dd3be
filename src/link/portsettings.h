#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace n35
{

// The settings file "HVN35Writer.INI" is a whole clone image file; at start-up only its "COMPORT:" line
// is read.
inline constexpr const char *SettingsFileName = "HVN35Writer.INI";

// Where the settings file lives: the program's folder when it is writable, otherwise the user's
// configuration folder.
QString SettingsFilePath();

struct PortSetting {
    int port = 1;          // always 1..16
    bool fromFile = false; // false: no usable COMPORT line (missing file, no line, bad line): port 1
};

// COMPORT:07 gives 7. A missing or unreadable file, a file without a COMPORT line, and any line that is
// not exactly "COMPORT:" and two digits naming 1..16 give port 1.
PortSetting ReadPortSetting(const QString &path);

// "Back up the radio before writing": the settings file's "BACKUP:0" or "BACKUP:1" line; on when the file
// has none.
inline constexpr const char *BackupKey = "BACKUP:";
bool ReadBackupSetting(const QString &path);

// The folder the file dialogs last used for each kind of file ("N35", "CSV", "PDF"): a line "FOLDER_N35:"
// and the path, percent-encoded so that any folder name survives the file's code page.
inline constexpr const char *FolderKey = "FOLDER_";
QMap<QString, QString> ReadFolderSettings(const QString &path);
QStringList FolderSettingLines(const QMap<QString, QString> &folders);

} // namespace n35
