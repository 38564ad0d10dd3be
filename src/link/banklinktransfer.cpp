#include "link/banklinktransfer.h"

#include "link/progress.h"
#include "link/radiolink.h"
#include "model/banklinks.h"

#include <array>

namespace n35
{

namespace
{

const std::array<QString, 2> BlockAddress = {QStringLiteral("00100"), QStringLiteral("00140")};
constexpr int BlockHex = 128;

// The window answers every failure of its own with the same plain "Error".
TransferOutcome LinkError(int block, const QString &why)
{
    return TransferOutcome::failure(QStringLiteral("Error"), QStringLiteral(" Error"),
                                    Problem{QString(), QStringLiteral("bank-link block %1").arg(block), why});
}

TransferOutcome Identified(RadioLink &link, Progress &progress)
{
    progress.start(static_cast<int>(BlockAddress.size()) + 1);
    // A radio that does not identify itself gets the window's own plain "Error" too.
    if (!link.Identify())
        return TransferOutcome::failure(QStringLiteral("Error"), QStringLiteral(" Error"),
                                        NegotiationError(link).message.detail);
    progress.advance();
    return TransferOutcome::success();
}

} // namespace

TransferOutcome ReadBankLinks(RadioLink &link, BankLinks &links, Progress &progress)
{
    QString hex;
    for (int block = 0; block < static_cast<int>(BlockAddress.size()); ++block) {
        const QString reply = link.ReadBlock(BlockAddress.at(static_cast<std::size_t>(block)));
        if (reply.isEmpty())
            return LinkError(block, QStringLiteral("the radio sent no block of 128 hex characters"));
        hex += reply;
        progress.advance();
    }
    if (const Status expanded = links.ExpandBankLink(hex); !expanded)
        return TransferOutcome::failure(QStringLiteral("Error"), QStringLiteral(" Error"),
                                        expanded.problem());
    return TransferOutcome::success();
}

TransferOutcome WriteBankLinks(RadioLink &link, const BankLinks &links, Progress &progress)
{
    const QString hex = links.MakeBankLink();
    const std::array<QString, 2> parts = {hex.left(BlockHex), hex.mid(BlockHex)};
    for (int block = 0; block < static_cast<int>(BlockAddress.size()); ++block) {
        const auto index = static_cast<std::size_t>(block);
        if (!link.WriteBlock(BlockAddress.at(index), parts.at(index)))
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
