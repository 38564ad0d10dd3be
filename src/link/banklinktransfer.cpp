#include "link/banklinktransfer.h"

#include "link/address.h"
#include "link/progress.h"
#include "link/radiolink.h"
#include "model/banklinks.h"
#include "model/fixedtexts.h"

namespace n35
{

namespace
{

// The window answers every failure of its own with the same plain "Error".
TransferOutcome LinkError(int block, const QString &why)
{
    return TransferOutcome::failure(FixedText::Error(), FixedText::ErrorTitle(),
                                    Problem{QString(), QStringLiteral("bank-link block %1").arg(block), why});
}

TransferOutcome Identified(RadioLink &link, Progress &progress)
{
    progress.start(ReadBlockCount(MemoryRegion::BankLinks) + 1);
    // A radio that does not identify itself gets the window's own plain "Error" too.
    if (!link.Identify())
        return TransferOutcome::failure(FixedText::Error(), FixedText::ErrorTitle(),
                                        NegotiationError(link).message.detail);
    progress.advance();
    return TransferOutcome::success();
}

} // namespace

TransferOutcome ReadBankLinks(RadioLink &link, BankLinks &links, Progress &progress)
{
    QString hex;
    for (int block = 0; block < ReadBlockCount(MemoryRegion::BankLinks); ++block) {
        const QString reply = link.ReadBlock(ReadAddress(MemoryRegion::BankLinks, block));
        if (reply.isEmpty())
            return LinkError(block, QStringLiteral("the radio sent no block of 128 hex characters"));
        hex += reply;
        progress.advance();
    }
    if (const Status expanded = links.decode(hex); !expanded)
        return TransferOutcome::failure(FixedText::Error(), FixedText::ErrorTitle(), expanded.problem());
    return TransferOutcome::success();
}

TransferOutcome WriteBankLinks(RadioLink &link, const BankLinks &links, Progress &progress)
{
    const QString hex = links.encode();
    for (int block = 0; block < WriteBlockCount(MemoryRegion::BankLinks); ++block) {
        if (!link.WriteBlock(WriteAddress(MemoryRegion::BankLinks, block),
                             WriteBlockHex(MemoryRegion::BankLinks, block, hex)))
            return LinkError(block, QStringLiteral("the radio did not answer \"OK\""));
        progress.advance();
    }
    return TransferOutcome::success();
}

TransferOutcome BankLinkRead(RadioLink &link, BankLinks &links, Progress &progress)
{
    if (TransferOutcome identified = Identified(link, progress); !identified.ok)
        return identified;
    return ReadBankLinks(link, links, progress);
}

TransferOutcome BankLinkWrite(RadioLink &link, const BankLinks &links, Progress &progress)
{
    if (TransferOutcome identified = Identified(link, progress); !identified.ok)
        return identified;
    return WriteBankLinks(link, links, progress);
}

} // namespace n35
