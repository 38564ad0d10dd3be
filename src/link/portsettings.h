#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace n35
{

// The settings file "HVN35Writer.INI" is a whole clone image file followed by the program's own lines. At
// start-up only those lines are read: "COMPORT:", "BACKUP:", the dialogs' "FOLDER_" lines and the recent
// files and repeater-shift lines (files/recentfiles.h); the clone image in it is never loaded.
inline constexpr const char *SettingsFileName = "HVN35Writer.INI";

// Where the settings file lives: SettingsFolderFor the running program and the user's configuration
// folder (~/.config/HVN35Writer, %LOCALAPPDATA%\HVN35Writer), which is made when missing.
QString SettingsFilePath();

// The folders programs are installed into: /usr (with /usr/local), /opt and the other system folders;
// on Windows the Program Files folders and the Windows folder.
QStringList InstallationFolders();
// A portable copy's folder: one that exists, that this user owns and may write, that lies in none of
// `installed` and that is no build folder (neither it nor a folder above it holds a CMakeCache.txt).
bool IsPortableFolder(const QString &folder, const QStringList &installed = InstallationFolders());
// The folder the settings file goes into for a program in `programFolder`: beside the program only for a
// portable copy, otherwise `configFolder`. Nothing is ever written into a system or build folder.
QString SettingsFolderFor(const QString &programFolder, const QString &configFolder,
                          const QStringList &installed = InstallationFolders());

struct PortSetting {
    int port = 1; // always 1..16
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
