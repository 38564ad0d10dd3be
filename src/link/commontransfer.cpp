#include "link/commontransfer.h"

#include "link/address.h"
#include "link/progress.h"
#include "link/radiolink.h"
#include "model/fixedtexts.h"
#include "model/onetouch.h"
#include "model/title.h"

#include <functional>

namespace n35
{

namespace
{

TransferOutcome Failure(const QString &text, const QString &where, const QString &why)
{
    return TransferOutcome::failure(text, FixedText::ErrorTitle(), Problem{QString(), where, why});
}

const QString NoBlock = QStringLiteral("the radio sent no block of 128 hex characters");
const QString NoOk = QStringLiteral("the radio did not answer \"OK\"");

TransferOutcome Identified(RadioLink &link, Progress &progress, const std::function<TransferOutcome()> &body)
{
    progress.start(2);
    if (!link.Identify())
        return NegotiationError(link);
    progress.advance();
    return body();
}

} // namespace

TransferOutcome ReadOneTouch(RadioLink &link, OneTouchKeys &keys, Progress &progress)
{
    const QString reply = link.ReadBlock(ReadAddress(MemoryRegion::OneTouch, 0));
    if (reply.isEmpty())
        return Failure(FixedText::Error(), QStringLiteral("the one-touch block"), NoBlock);
    if (const Status decoded = keys.decode(reply); !decoded)
        return TransferOutcome::failure(FixedText::Error(), FixedText::ErrorTitle(), decoded.problem());
    progress.advance();
    return TransferOutcome::success();
}

TransferOutcome WriteOneTouch(RadioLink &link, const OneTouchKeys &keys, Progress &progress)
{
    if (!link.WriteBlock(WriteAddress(MemoryRegion::OneTouch, 0), keys.encode()))
        return Failure(FixedText::Error(), QStringLiteral("the one-touch block"), NoOk);
    progress.advance();
    return TransferOutcome::success();
}

TransferOutcome ReadTitle(RadioLink &link, OpeningTitle &title, Progress &progress)
{
    const QString reply = link.ReadBlock(ReadAddress(MemoryRegion::Title, 0));
    if (reply.isEmpty())
        return Failure(FixedText::TitleReadFailed(), QStringLiteral("the title block"), NoBlock);
    if (const Status decoded = title.decode(reply); !decoded)
        return TransferOutcome::failure(FixedText::TitleReadFailed(), FixedText::ErrorTitle(),
                                        decoded.problem());
    progress.advance();
    return TransferOutcome::success();
}

TransferOutcome WriteTitle(RadioLink &link, const OpeningTitle &title, Progress &progress)
{
    if (!link.WriteBlock(WriteAddress(MemoryRegion::Title, 0), title.encode()))
        return Failure(FixedText::Error(), QStringLiteral("the title block"), NoOk);
    progress.advance();
    return TransferOutcome::success();
}

TransferOutcome OneTouchRead(RadioLink &link, OneTouchKeys &keys, Progress &progress)
{
    return Identified(link, progress, [&] { return ReadOneTouch(link, keys, progress); });
}

TransferOutcome OneTouchWrite(RadioLink &link, const OneTouchKeys &keys, Progress &progress)
{
    return Identified(link, progress, [&] { return WriteOneTouch(link, keys, progress); });
}

TransferOutcome TitleRead(RadioLink &link, OpeningTitle &title, Progress &progress)
{
    return Identified(link, progress, [&] { return ReadTitle(link, title, progress); });
}

TransferOutcome TitleWrite(RadioLink &link, const OpeningTitle &title, Progress &progress)
{
    return Identified(link, progress, [&] { return WriteTitle(link, title, progress); });
}

} // namespace n35
