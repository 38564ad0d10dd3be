#include "link/banktransfer.h"

#include "link/address.h"
#include "link/progress.h"
#include "link/radiolink.h"
#include "model/banks.h"
#include "model/fixedtexts.h"

#include <numeric>

namespace n35
{

namespace
{

TransferOutcome BlockFailure(const QString &text, const QString &title, const QString &why, int block)
{
    return TransferOutcome::failure(
        text, title, Problem{QString(), QStringLiteral("bank partition block %1").arg(block), why});
}

} // namespace

TransferOutcome ReadBankPartition(RadioLink &link, BankPartition &banks, Progress &progress)
{
    QString hex;
    for (int block = 0; block < ReadBlockCount(MemoryRegion::BankPartition); ++block) {
        const QString reply = link.ReadBlock(ReadAddress(MemoryRegion::BankPartition, block));
        if (reply.isEmpty())
            return BlockFailure(FixedText::Error(), FixedText::ErrorTitle(),
                                QStringLiteral("the radio sent no block of 128 hex characters"), block);
        hex += reply;
        progress.advance();
    }
    const Result<BankPartition::Counts> decoded = banks.decode(hex);
    if (!decoded)
        return TransferOutcome::failure(FixedText::Error(), FixedText::ErrorTitle(), decoded.problem());
    const BankPartition::Counts &counts = *decoded;
    TransferOutcome outcome = TransferOutcome::success();
    if (!BankPartition::IsValid(counts)) {
        outcome.notices << Notice{
            FixedText::BankTotalInitialize(), FixedText::CautionTitle(),
            QStringLiteral("The radio's banks held %1 channels in all; every bank holds "
                           "0 to 500 and all together 500.")
                .arg(std::accumulate(counts.begin(), counts.end(), 0))};
    }
    return outcome;
}

TransferOutcome WriteBankPartition(RadioLink &link, const BankPartition &banks, Progress &progress)
{
    // The radio lays its channels out by this partition; one that does not add up is never sent.
    if (!banks.valid()) {
        return TransferOutcome::failure(
            FixedText::BankWriteFailed(), FixedText::ErrorTitle(),
            Problem{QString(), QStringLiteral("the bank partition"),
                    QStringLiteral("the banks hold %1 channels; they must hold 0 to 500 each and 500 in all")
                        .arg(banks.total())});
    }
    const QString hex = banks.encode();
    for (int block = 0; block < WriteBlockCount(MemoryRegion::BankPartition); ++block) {
        if (!link.WriteBlock(WriteAddress(MemoryRegion::BankPartition, block),
                             WriteBlockHex(MemoryRegion::BankPartition, block, hex)))
            return BlockFailure(FixedText::BankWriteFailed(), FixedText::ErrorTitle(),
                                QStringLiteral("the radio did not answer \"OK\""), block);
        progress.advance();
    }
    return TransferOutcome::success();
}

TransferOutcome BankRead(RadioLink &link, BankPartition &banks, Progress &progress)
{
    progress.start(ReadBlockCount(MemoryRegion::BankPartition) + 1);
    if (!link.Identify())
        return NegotiationError(link);
    progress.advance();
    return ReadBankPartition(link, banks, progress);
}

TransferOutcome BankWrite(RadioLink &link, const BankPartition &banks, Progress &progress)
{
    progress.start(ReadBlockCount(MemoryRegion::BankPartition) + 1);
    if (!link.Identify())
        return NegotiationError(link);
    progress.advance();
    return WriteBankPartition(link, banks, progress);
}

} // namespace n35
