#include "link/settingstransfer.h"

#include "link/address.h"
#include "link/progress.h"
#include "link/radiolink.h"
#include "model/dtmf.h"
#include "model/fixedtexts.h"
#include "model/hex.h"
#include "model/settings.h"

#include <QStringList>

namespace n35
{

namespace
{

TransferOutcome ReadFailure(const QString &where)
{
    return TransferOutcome::failure(
        FixedText::Error(), FixedText::ErrorTitle(),
        Problem{QString(), where, QStringLiteral("the radio sent no block of 128 hex characters")});
}

// Reads the three settings blocks into `hex`, all three or none: a block stored before a later one
// failed would leave bytes of this radio among those of another, and a write sends them back.
TransferOutcome ReadSettingsBlocks(RadioLink &link, Progress &progress, const QString &failureText,
                                   QString &hex)
{
    const int blocks = ReadBlockCount(MemoryRegion::Settings);
    for (int block = 0; block < blocks; ++block) {
        const QString reply = link.ReadBlock(ReadAddress(MemoryRegion::Settings, block));
        if (reply.isEmpty() || !IsHexText(reply))
            return TransferOutcome::failure(
                failureText, FixedText::ErrorTitle(),
                Problem{QString(), QStringLiteral("settings block %1").arg(block),
                        QStringLiteral("the radio sent no block of 128 hex characters")});
        hex += reply;
        progress.advance();
    }
    return TransferOutcome::success();
}

} // namespace

TransferOutcome ReadSettings(RadioLink &link, SetModeSettings &settings, DtmfMemories &dtmf,
                             Progress &progress)
{
    const QString error = FixedText::Error();
    QString hex;
    TransferOutcome outcome = ReadSettingsBlocks(link, progress, error, hex);
    if (!outcome.ok)
        return outcome;
    if (const Status decoded = settings.decode(hex); !decoded)
        return TransferOutcome::failure(error, FixedText::ErrorTitle(), decoded.problem());

    const QString protect = link.ReadBlock(ReadAddress(MemoryRegion::WriteProtect, 0));
    if (protect.isEmpty())
        return ReadFailure(QStringLiteral("the write-protect byte"));
    if (const Status decoded = settings.decodeWriteProtect(protect); !decoded)
        return TransferOutcome::failure(error, FixedText::ErrorTitle(), decoded.problem());
    progress.advance();

    for (int part = 0; part < ReadBlockCount(MemoryRegion::Dtmf); ++part) {
        const QString reply = link.ReadBlock(ReadAddress(MemoryRegion::Dtmf, part));
        if (reply.isEmpty())
            return ReadFailure(QStringLiteral("DTMF part %1").arg(part));
        if (const Status decoded = dtmf.ExpandDtmfData(reply, part); !decoded)
            return TransferOutcome::failure(error, FixedText::ErrorTitle(), decoded.problem());
        progress.advance();
    }
    return TransferOutcome::success();
}

TransferOutcome WriteSettings(RadioLink &link, SetModeSettings &settings, const DtmfMemories &dtmf,
                              Progress &progress)
{
    const QString failed = FixedText::SettingWriteError();
    QString read;
    TransferOutcome outcome = ReadSettingsBlocks(link, progress, failed, read);
    if (!outcome.ok)
        return outcome;
    if (const Status stored = settings.storeBlocks(read); !stored)
        return TransferOutcome::failure(failed, FixedText::ErrorTitle(), stored.problem());

    const QString settingsText = settings.encode();
    const QString dtmfText = dtmf.encode();
    struct Write {
        QString address;
        QString hex;
    };
    // The settings blocks, the DTMF memories, the write-protect byte.
    QList<Write> writes;
    for (int block = 0; block < WriteBlockCount(MemoryRegion::Settings); ++block)
        writes.append({WriteAddress(MemoryRegion::Settings, block),
                       WriteBlockHex(MemoryRegion::Settings, block, settingsText)});
    for (int block = 0; block < WriteBlockCount(MemoryRegion::Dtmf); ++block)
        writes.append(
            {WriteAddress(MemoryRegion::Dtmf, block), WriteBlockHex(MemoryRegion::Dtmf, block, dtmfText)});
    writes.append({WriteAddress(MemoryRegion::WriteProtect, 0), settings.encodeWriteProtect()});
    for (const Write &write : writes) {
        if (!link.WriteBlock(write.address, write.hex)) {
            return TransferOutcome::failure(failed, FixedText::ErrorTitle(),
                                            Problem{QString(),
                                                    QStringLiteral("the block at %1").arg(write.address),
                                                    QStringLiteral("the radio did not answer \"OK\"")});
        }
        progress.advance();
    }
    return TransferOutcome::success();
}

TransferOutcome SettingRead(RadioLink &link, SetModeSettings &settings, DtmfMemories &dtmf,
                            Progress &progress)
{
    progress.start(8);
    if (!link.Identify())
        return NegotiationError(link);
    progress.advance();
    return ReadSettings(link, settings, dtmf, progress);
}

TransferOutcome SettingWrite(RadioLink &link, SetModeSettings &settings, const DtmfMemories &dtmf,
                             Progress &progress)
{
    progress.start(11);
    if (!link.Identify())
        return NegotiationError(link);
    progress.advance();
    return WriteSettings(link, settings, dtmf, progress);
}

} // namespace n35
