#pragma once

#include "model/result.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace n35
{

// A backup is the radio's memory exactly as the whole-radio read fetched it, block by block, never
// decoded: a radio the program cannot show is backed up and restored all the same.
//
// The file is ASCII text, one item a line, LF line ends:
//
//   HVN35Writer radio backup 1
//   Program: HVN35Writer 1.0.0
//   Taken: 2026-12-07T04:44:01+01:00
//   Port: COM1 (/dev/ttyUSB0)
//   Blocks: 986
//   00200 0102...   (the address in five hex digits, a space, the 64 bytes as 128 upper-case hex digits)
//   ...
//   SHA-256: 3f1c...  (of every byte before this line)
//
// A file with a byte changed, cut short or grown is refused.
struct BackupBlock {
    int address = 0;
    QByteArray bytes;
};

struct RadioBackup {
    QString program;
    QDateTime taken;
    QString port;
    QList<BackupBlock> blocks;
};

QByteArray EncodeBackup(const RadioBackup &backup);
Result<RadioBackup> DecodeBackup(const QByteArray &content);
// Whether a file starts like a backup (the first line), so that opening it can take the backup's way.
bool LooksLikeBackup(const QByteArray &start);
// A name with the backups' own ending, ".n35bak" (any case).
bool HasBackupExtension(const QString &path);

Result<RadioBackup> LoadBackupFile(const QString &path);
// Written atomically: the complete file or none. The problem names the file and says why.
Status SaveBackupFile(const QString &path, const RadioBackup &backup);

// The user's data folder for backups: ~/.local/share/HVN35Writer/backups on Linux,
// %LOCALAPPDATA%\HVN35Writer\backups on Windows; never beside the program. A chosen folder (the command
// line's --backup-dir) wins.
QString BackupFolder(const QString &chosen = {});
// "<folder>/hvn35-backup-20261206-214500.n35bak", with "-2", "-3", ... when an earlier backup has
// already taken that second.
QString BackupFilePath(const QString &folder, const QDateTime &when = QDateTime::currentDateTime());
inline constexpr int BackupsKept = 100;

// What the backups listing shows of one file, from its header alone.
struct BackupEntry {
    QString path;
    QDateTime taken;
    QString port;
    qint64 size = 0;
};
// The backups in `folder`, newest first.
QList<BackupEntry> ListBackups(const QString &folder);
// Deletes all but the newest `keep` backups of `folder` (files of this program's backup name only).
void PruneBackups(const QString &folder, int keep = BackupsKept);

} // namespace n35
