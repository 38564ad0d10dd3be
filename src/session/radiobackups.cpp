#include "session/radiobackups.h"

#include "files/fileproblems.h"
#include "link/address.h"
#include "link/porterror.h"
#include "link/progress.h"
#include "link/radiolink.h"
#include "link/radiomemory.h"
#include "link/wholeradio.h"
#include "model/cloneimage.h"
#include "model/fixedtexts.h"
#include "model/history.h"
#include "session/memoryradioport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <algorithm>
#include <optional>

namespace n35
{

namespace
{

constexpr const char *ProgramName = "HVN35Writer " N35_VERSION;

QString Where(int address)
{
    return QStringLiteral("%1 (the block at %2)").arg(RegionAt(address), AddressText(address));
}

bool IsHexBlock(const QString &reply)
{
    if (reply.size() != 2 * qsizetype(BlockBytes))
        return false;
    return std::all_of(reply.begin(), reply.end(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
    });
}

TransferOutcome NotBackedUp(const QString &why)
{
    return TransferOutcome::failure(FixedText::NotBackedUp(), FixedText::ErrorTitle(), why);
}

QString PartlyWritten(const QString &backupPath)
{
    if (backupPath.isEmpty())
        return QStringLiteral("The radio now holds part of the new image and part of what it held before; "
                              "write the image again.");
    return QStringLiteral("The radio now holds part of the new image and part of what it held before. To "
                          "put it back as it was, restore the backup %1 (Communication > Restore Backup..., "
                          "or hvn35 restore).")
        .arg(QDir::toNativeSeparators(backupPath));
}

QString Joined(const QString &first, const QString &second)
{
    return first.isEmpty() ? second : first + QLatin1Char('\n') + second;
}

// Every byte of the stretches that the radio now holds otherwise than the backup, one line a stretch.
QStringList Differences(const RadioMemory &expected, const RadioMemory &radio)
{
    QStringList lines;
    for (const WriteStretch &stretch : WholeRadioWriteStretches()) {
        const QByteArray want = *expected.bytes(stretch.address, stretch.length);
        const std::optional<QByteArray> got = radio.bytes(stretch.address, stretch.length);
        int differing = 0;
        int first = -1;
        for (int at = 0; at < stretch.length; ++at) {
            if (!got || got->at(at) != want.at(at)) {
                ++differing;
                if (first < 0)
                    first = stretch.address + at;
            }
        }
        if (differing > 0)
            lines << QStringLiteral("%1: %2 of %3 bytes differ, the first at %4")
                         .arg(Where(stretch.address))
                         .arg(differing)
                         .arg(stretch.length)
                         .arg(AddressText(first));
    }
    return lines;
}

} // namespace

TransferOutcome ReadRadioBackup(RadioLink &link, Progress &progress, const QString &port, RadioBackup &backup)
{
    const QList<int> &addresses = BackupBlockAddresses();
    const int firstChannel = ChannelBlockAddress(1).toInt(nullptr, 16);
    RadioBackup read{QString::fromLatin1(ProgramName), QDateTime::currentDateTime(), port, {}};
    read.blocks.reserve(addresses.size());
    progress.start(static_cast<int>(addresses.size()) + 2);
    for (const int address : addresses) {
        // The channels have an identification of their own, as in the whole-radio read.
        if (read.blocks.isEmpty() || address == firstChannel) {
            if (!link.Identify())
                return NegotiationError(link);
            progress.advance();
        }
        const QString reply = link.ReadBlock(AddressText(address));
        if (!IsHexBlock(reply))
            return TransferOutcome::failure(
                FixedText::ReadError(), FixedText::NgTitle(),
                Problem{QString(), Where(address),
                        QStringLiteral("the radio sent no block of 128 hex characters")});
        read.blocks.append({address, QByteArray::fromHex(reply.toLatin1())});
        progress.advance();
    }
    backup = std::move(read);
    return TransferOutcome::success();
}

RadioMemory BackupMemory(const RadioBackup &backup)
{
    RadioMemory memory;
    for (const BackupBlock &block : backup.blocks)
        memory.store(block.address, block.bytes);
    return memory;
}

WriteReport WriteImage(RadioLink &link, CloneImage &image, Progress &progress, const WriteRequest &request)
{
    WriteReport report;
    // An image the radio cannot take fails here, before a backup is read for nothing.
    if (report.outcome = CheckImageWritable(image); !report.outcome.ok)
        return report;

    std::optional<RadioMemory> mirror;
    if (request.backUp) {
        RadioBackup backup;
        const TransferOutcome read = ReadRadioBackup(link, progress, request.port, backup);
        if (!read.ok) {
            report.outcome = NotBackedUp(Joined(read.message.text, read.message.detail));
            return report;
        }
        const QString folder = BackupFolder(request.backupFolder);
        if (!QDir().mkpath(folder)) {
            report.outcome = NotBackedUp(
                QStringLiteral("The folder %1 cannot be made.").arg(QDir::toNativeSeparators(folder)));
            return report;
        }
        const QString path = BackupFilePath(folder, backup.taken);
        if (const Status saved = SaveBackupFile(path, backup); !saved) {
            report.outcome = NotBackedUp(saved.problem().describe());
            return report;
        }
        PruneBackups(folder);
        report.backupPath = path;
        if (!request.full)
            mirror = BackupMemory(backup);
    }

    const RadioLink::Traffic before = link.traffic();
    const auto sentAny = [&] { return link.traffic().blocksWritten > before.blocksWritten; };
    link.setMirror(mirror ? &*mirror : nullptr);
    const auto unset = qScopeGuard([&link] { link.setMirror(nullptr); });
    try {
        report.outcome = WriteAllData(link, image, progress);
    } catch (const PortError &error) {
        if (!sentAny())
            throw;
        throw PortError(Joined(error.detail(), PartlyWritten(report.backupPath)));
    }
    report.blocksWritten = link.traffic().blocksWritten - before.blocksWritten;
    report.blocksSkipped = link.traffic().blocksSkipped - before.blocksSkipped;
    if (!report.outcome.ok && sentAny())
        report.outcome.message.detail =
            Joined(report.outcome.message.detail, PartlyWritten(report.backupPath));
    return report;
}

RestoreReport RestoreBackup(RadioLink &link, const RadioBackup &backup, Progress &progress)
{
    RestoreReport report;
    const RadioMemory memory = BackupMemory(backup);
    const QList<WriteStretch> &stretches = WholeRadioWriteStretches();
    for (const WriteStretch &stretch : stretches) {
        if (!memory.known(stretch.address, stretch.length)) {
            report.outcome =
                TransferOutcome::failure(FixedText::BackupNotRestorable(), FixedText::ErrorTitle(),
                                         QStringLiteral("It does not hold %1.").arg(Where(stretch.address)));
            return report;
        }
    }

    link.setMirror(nullptr);
    const qint64 before = link.traffic().blocksWritten;
    const auto failed = [&](const QString &why) {
        const QString partly =
            link.traffic().blocksWritten > before
                ? QStringLiteral(" The radio now holds part of the backup and part of what it held before; "
                                 "restore the backup again.")
                : QStringLiteral(" Nothing was written.");
        report.outcome =
            TransferOutcome::failure(FixedText::BackupNotRestored(), FixedText::ErrorTitle(), why + partly);
        return report;
    };
    progress.start(static_cast<int>(stretches.size()) + 2);
    for (const WriteStretch &stretch : stretches) {
        if (stretch.identifyFirst) {
            if (!link.Identify())
                return failed(NegotiationError(link).message.detail);
            progress.advance();
        }
        const QByteArray bytes = *memory.bytes(stretch.address, stretch.length);
        if (!link.WriteBlock(AddressText(stretch.address), QString::fromLatin1(bytes.toHex().toUpper())))
            return failed(QStringLiteral("The radio did not take %1.").arg(Where(stretch.address)));
        progress.advance();
    }

    RadioBackup after;
    const TransferOutcome read = ReadRadioBackup(link, progress, backup.port, after);
    if (!read.ok) {
        report.outcome = TransferOutcome::failure(FixedText::BackupReadBackFailed(), FixedText::ErrorTitle(),
                                                  Joined(read.message.text, read.message.detail));
        return report;
    }
    report.differences = Differences(memory, BackupMemory(after));
    return report;
}

TransferOutcome DecodeBackupImage(const RadioBackup &backup, CloneImage &image)
{
    MemoryRadioPort port(BackupMemory(backup));
    RadioLink link(port);
    link.setTimeoutMs(1); // a block the backup lacks is not waited for
    CloneImage trial;
    NoProgress quiet;
    TransferOutcome read;
    try {
        read = ReadAllData(link, trial, quiet);
    } catch (const PortError &error) {
        read = TransferOutcome::failure(QString(), QString(), error.detail());
    }
    if (!read.ok)
        return TransferOutcome::failure(FixedText::BackupNotShown(), FixedText::ErrorTitle(),
                                        Joined(read.message.text, read.message.detail));
    RestoreImage(image, CaptureImage(trial));
    TransferOutcome shown = TransferOutcome::success();
    shown.notices = read.notices;
    return shown;
}

bool IsBackupFile(const QString &path)
{
    // Only a regular file is looked into: the first read of a pipe could wait for ever.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && LooksLikeBackup(file.read(64));
}

Result<LoadNotices> OpenBackupFile(const QString &path, CloneImage &image)
{
    const Result<RadioBackup> backup = LoadBackupFile(path);
    if (!backup)
        return backup.problem();
    const TransferOutcome decoded = DecodeBackupImage(*backup, image);
    if (!decoded.ok)
        return FileProblem(path, decoded.message.detail, ProblemKind::BadLine);
    return decoded.notices;
}

} // namespace n35
