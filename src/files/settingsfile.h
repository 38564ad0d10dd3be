#pragma once

#include "model/result.h"

#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>

namespace n35
{

class CloneImage;

// The settings file "HVN35Writer.INI" is a whole clone image file followed by the program's own lines. At
// start-up it is read once, and only those lines count: "COMPORT:", "BACKUP:", "AUTOSHIFT:", "RECENT:" and
// the dialogs' "FOLDER_" lines; the clone image in it is never loaded.
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

// The clone images opened or saved last, newest first, at most eight, each once.
class RecentFiles
{
public:
    static constexpr int Limit = 8;

    const QStringList &paths() const { return list; }
    // Puts `path` first (as an absolute path), dropping an older mention of it and the ninth.
    void add(const QString &path);
    void clear() { list.clear(); }

private:
    friend struct ProgramSettings;
    QStringList list;
};

// What the program remembers between runs.
struct ProgramSettings {
    // "COMPORT:07": always 1..16. Only the first COMPORT line counts, and only exactly "COMPORT:" and two
    // digits naming 1..16; anything else gives 1.
    int port = 1;
    // "BACKUP:0" or "BACKUP:1": back up the radio before writing; on when the file has no such line.
    bool backupBeforeWriting = true;
    // "AUTOSHIFT:0" or "AUTOSHIFT:1": the channel editor fills the repeater shift; on unless "0".
    bool automaticShift = true;
    // One "RECENT:" line per file, newest first, percent-encoded UTF-8 (a path may hold any character and
    // the file is ASCII).
    RecentFiles recent;
    // The folder the file dialogs last used for each kind of file ("N35", "CSV", "PDF"): "FOLDER_N35:" and
    // the path, percent-encoded.
    QMap<QString, QString> folders;

    // The settings in a settings file's content; what is missing or unreadable keeps its default.
    static ProgramSettings parse(const QByteArray &content);
    // The settings file at `path`, read once. A missing file, a folder, a pipe or a file over 1 MiB in its
    // place give the defaults: a pipe would hold the program at start for ever.
    static ProgramSettings read(const QString &path);
    // The program's own lines, as they follow the image in the settings file (without COMPORT, which the
    // image file writes itself).
    QStringList lines() const;
};

// Writes the settings file: `image` as a clone image file with `settings`' port and lines, replacing the
// old file only once the new one is complete.
Status SaveProgramSettings(const QString &path, const CloneImage &image, const ProgramSettings &settings,
                           const QDateTime &when = QDateTime::currentDateTime());

} // namespace n35
