#include "link/channeltransfer.h"

#include "link/address.h"
#include "link/porterror.h"
#include "link/progress.h"
#include "link/radiolink.h"
#include "model/channeltable.h"
#include "model/fixedtexts.h"
#include "model/passindex.h"

#include <QStringList>

namespace n35
{

TransferOutcome ReadChannels(RadioLink &link, ChannelTable &table, int first, int last, Progress &progress)
{
    progress.start(last - first + 2);
    if (!link.Identify())
        return NegotiationError(link);
    progress.advance();
    for (int channel = first; channel <= last; ++channel) {
        const QString reply = link.ReadBlock(ReadAddress(MemoryRegion::Channels, channel - 1));
        if (reply.isEmpty()) {
            return TransferOutcome::failure(FixedText::Error(), FixedText::ErrorTitle(),
                                            QStringLiteral("Channel %1 was not read.").arg(channel));
        }
        const Status decoded = table.decode(reply, channel);
        if (!decoded)
            throw PortError(QStringLiteral("The radio sent a record the program cannot show: %1.")
                                .arg(decoded.problem().describe()));
        progress.advance();
    }
    ClearEmptyChannelRows(table);
    return TransferOutcome::success();
}

TransferOutcome ChannelDataError(const Problem &problem)
{
    // The fixed text alone would leave the user searching 952 rows: it names the cell too.
    return TransferOutcome::failure(FixedText::ChannelDataError() + QLatin1Char('\n') + problem.describe(),
                                    FixedText::ErrorTitle(), QStringLiteral("Nothing was written."));
}

TransferOutcome WriteChannels(RadioLink &link, const ChannelTable &table, int first, int last,
                              Progress &progress)
{
    const Result<QStringList> encoded = table.encode(first, last);
    if (!encoded)
        return ChannelDataError(encoded.problem());
    const QStringList &records = *encoded;

    const bool withIndex = IsPassChannel(first) || IsPassChannel(last);
    progress.start(last - first + 2 + (withIndex ? PassIndexBlockCount : 0));
    if (!link.Identify())
        return NegotiationError(link);
    progress.advance();
    for (int channel = first; channel <= last; ++channel) {
        if (!link.WriteBlock(WriteAddress(MemoryRegion::Channels, channel - 1),
                             records.at(channel - first))) {
            return TransferOutcome::failure(FixedText::MemoryWriteError(), FixedText::NgTitle(),
                                            QStringLiteral("Channel %1 was not written.").arg(channel));
        }
        progress.advance();
    }
    if (!withIndex)
        return TransferOutcome::success();

    const PassIndex index = BuildPassIndex(table);
    for (int block = 0; block < PassIndexBlockCount; ++block) {
        if (!link.WriteBlock(WriteAddress(MemoryRegion::PassIndex, block), PassIndexBlockHex(index, block))) {
            return TransferOutcome::failure(FixedText::NodeDataWriteFailed(block), FixedText::ErrorTitle());
        }
        progress.advance();
    }
    return TransferOutcome::success();
}

} // namespace n35
