#pragma once

#include "files/backup.h"
#include "files/imagefile.h"
#include "link/outcome.h"

#include <QStringList>

namespace n35
{

class CloneImage;
class Progress;
class RadioLink;
class RadioMemory;

// The workflows around backups that the window and hvn35 both offer: the backed-up write, the restore
// and reading a backup as a clone image. Each takes the link, the image and the progress it works with,
// and reports in the transfers' own terms, so that either front end only shows what comes back.

// Reads every backup block from the radio (identification, the region blocks, identification, the 952
// channel records, the pass-channel index), raw. `port` names the line in the backup's header.
TransferOutcome ReadRadioBackup(RadioLink &link, Progress &progress, const QString &port,
                                RadioBackup &backup);

// The backup's bytes as the radio's memory.
RadioMemory BackupMemory(const RadioBackup &backup);

struct WriteRequest {
    bool backUp = true;   // read the radio into a backup file before the first write
    bool full = false;    // with a backup: send every block even where the radio already holds it
    QString backupFolder; // BackupFolder() when empty
    QString port;         // the line, for the backup's header
};

struct WriteReport {
    TransferOutcome outcome;
    QString backupPath;       // the backup made, if any
    qint64 blocksWritten = 0; // block writes sent
    qint64 blocksSkipped = 0; // left out: the radio held them already
};

// "Write All Data" with its backup. With a backup: the image is checked, the radio read whole and saved
// (atomically, the oldest backups beyond BackupsKept removed) before the first write command, and only
// the blocks that differ from what was just read are sent, in the order of the full write; the radio ends
// with the same memory the full write leaves. When the backup cannot be made, nothing is written. A write
// that fails after its first block says that the radio holds part of the image and names the backup.
WriteReport WriteImage(RadioLink &link, CloneImage &image, Progress &progress, const WriteRequest &request);

struct RestoreReport {
    TransferOutcome outcome;
    // After a complete write and read-back: one line for every place where the radio still differs.
    QStringList differences;
    bool restored() const { return outcome.ok && differences.isEmpty(); }
};

// Writes the backup's bytes back: identification, then every byte "Write All Data" may write, in its
// order, with the value the backup holds, and nothing outside those places; then reads the radio again
// and compares every one of those bytes.
RestoreReport RestoreBackup(RadioLink &link, const RadioBackup &backup, Progress &progress);

// The backup decoded as the whole-radio read decodes the radio, into `image` only when all of it decodes;
// otherwise a failure whose detail names the first place that does not.
TransferOutcome DecodeBackupImage(const RadioBackup &backup, CloneImage &image);

// A backup file loaded and decoded into `image`, with what the decoding has to say, as a clone image file
// loads; a refused file changes nothing. The problem names the file; its kind is Unreadable,
// NotThisFormat (damaged, cut, no backup) or BadLine: the backup is whole, but part of it does not decode
// (the problem says which), and it can still be restored.
Result<LoadNotices> OpenBackupFile(const QString &path, CloneImage &image);
// Whether the file at `path` starts like a backup.
bool IsBackupFile(const QString &path);

} // namespace n35
