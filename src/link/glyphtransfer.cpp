#include "link/glyphtransfer.h"

#include "link/address.h"
#include "link/progress.h"
#include "link/radiolink.h"
#include "model/fixedtexts.h"
#include "model/glyphs.h"

#include <functional>

namespace n35
{

namespace
{

TransferOutcome Failure(const Problem &problem)
{
    return TransferOutcome::failure(FixedText::Error(), FixedText::ErrorTitle(), problem);
}

QString Where(int glyph)
{
    return QStringLiteral("glyph %1").arg(glyph + 1);
}

TransferOutcome EachGlyph(const std::function<TransferOutcome(int)> &transfer)
{
    for (int glyph = 0; glyph < FontGlyphs::GlyphCount; ++glyph) {
        if (TransferOutcome outcome = transfer(glyph); !outcome.ok)
            return outcome;
    }
    return TransferOutcome::success();
}

// The editor says "Error" where the other pages say "Negotiation Error.".
TransferOutcome Identified(RadioLink &link, Progress &progress, int maximum,
                           const std::function<TransferOutcome()> &body)
{
    progress.start(maximum);
    if (!link.Identify())
        return Failure({QString(), QStringLiteral("the identification"),
                        QStringLiteral("the radio did not answer \"OK\"")});
    progress.advance();
    return body();
}

} // namespace

TransferOutcome ReadGlyph(RadioLink &link, FontGlyphs &glyphs, int glyph, Progress &progress)
{
    const QString reply = link.ReadBlock(ReadAddress(MemoryRegion::Glyphs, glyph));
    if (reply.isEmpty())
        return Failure(
            {QString(), Where(glyph), QStringLiteral("the radio sent no block of 128 hex characters")});
    if (const Status decoded = glyphs.decode(reply, glyph); !decoded)
        return Failure(decoded.problem());
    progress.advance();
    return TransferOutcome::success();
}

TransferOutcome WriteGlyph(RadioLink &link, const FontGlyphs &glyphs, int glyph, Progress &progress)
{
    if (!link.WriteBlock(WriteAddress(MemoryRegion::Glyphs, glyph), glyphs.encode(glyph)))
        return Failure({QString(), Where(glyph), QStringLiteral("the radio did not answer \"OK\"")});
    progress.advance();
    return TransferOutcome::success();
}

TransferOutcome ReadAllGlyphs(RadioLink &link, FontGlyphs &glyphs, Progress &progress)
{
    return EachGlyph([&](int glyph) { return ReadGlyph(link, glyphs, glyph, progress); });
}

TransferOutcome WriteAllGlyphs(RadioLink &link, const FontGlyphs &glyphs, Progress &progress)
{
    return EachGlyph([&](int glyph) { return WriteGlyph(link, glyphs, glyph, progress); });
}

TransferOutcome FontEditorRead(RadioLink &link, FontGlyphs &glyphs, int glyph, Progress &progress)
{
    return Identified(link, progress, 2, [&] { return ReadGlyph(link, glyphs, glyph, progress); });
}

TransferOutcome FontEditorWrite(RadioLink &link, const FontGlyphs &glyphs, int glyph, Progress &progress)
{
    return Identified(link, progress, 2, [&] { return WriteGlyph(link, glyphs, glyph, progress); });
}

TransferOutcome FontEditorReadAll(RadioLink &link, FontGlyphs &glyphs, Progress &progress)
{
    return Identified(link, progress, FontGlyphs::GlyphCount + 1,
                      [&] { return ReadAllGlyphs(link, glyphs, progress); });
}

TransferOutcome FontEditorWriteAll(RadioLink &link, const FontGlyphs &glyphs, Progress &progress)
{
    return Identified(link, progress, FontGlyphs::GlyphCount + 1,
                      [&] { return WriteAllGlyphs(link, glyphs, progress); });
}

} // namespace n35
