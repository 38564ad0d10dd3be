#include "link/wholeradio.h"

#include "link/banklinktransfer.h"
#include "link/banktransfer.h"
#include "link/channeltransfer.h"
#include "link/commontransfer.h"
#include "link/glyphtransfer.h"
#include "link/progress.h"
#include "link/radiolink.h"
#include "link/settingstransfer.h"
#include "model/cloneimage.h"
#include "model/fixedtexts.h"

#include <functional>
#include <vector>

namespace n35
{

namespace
{

constexpr int ReadSteps = 22;
constexpr int WriteSteps = 25;

struct Step {
    QString failureText;
    std::function<TransferOutcome()> run;
};

// Runs the region steps in order after the identification; a region's failure becomes the whole
// transfer's message (title " NG"), its reason kept in the detail. Notices of the regions are kept.
TransferOutcome RunSteps(RadioLink &link, Progress &progress, int maximum, const std::vector<Step> &steps,
                         const std::function<TransferOutcome()> &channels)
{
    progress.start(maximum);
    if (!link.Identify())
        return NegotiationError(link);
    progress.advance();
    QList<Notice> notices;
    for (const Step &step : steps) {
        TransferOutcome outcome = step.run();
        notices += outcome.notices;
        if (!outcome.ok) {
            TransferOutcome failed =
                TransferOutcome::failure(step.failureText, FixedText::NgTitle(), outcome.message.detail);
            failed.notices = notices;
            return failed;
        }
    }
    TransferOutcome outcome = channels();
    outcome.notices = notices + outcome.notices;
    return outcome;
}

} // namespace

TransferOutcome ReadAllData(RadioLink &link, CloneImage &image, Progress &progress)
{
    std::vector<Step> steps = {
        {FixedText::ReadError(), [&] { return ReadBankPartition(link, image.banks, progress); }},
        {FixedText::ReadOneTouchError(), [&] { return ReadOneTouch(link, image.oneTouch, progress); }},
        {FixedText::ReadTitleError(), [&] { return ReadTitle(link, image.title, progress); }},
        {FixedText::ReadSettingError(),
         [&] { return ReadSettings(link, image.settings, image.dtmf, progress); }},
    };
    for (int glyph = 0; glyph < FontGlyphs::GlyphCount; ++glyph)
        steps.push_back({FixedText::ReadFontError(),
                         [&, glyph] { return ReadGlyph(link, image.glyphs, glyph, progress); }});
    steps.push_back(
        {FixedText::ReadBankLinkError(), [&] { return ReadBankLinks(link, image.bankLinks, progress); }});
    return RunSteps(link, progress, ReadSteps, steps,
                    [&] { return ReadChannels(link, image.channels, 1, ChannelCount, progress); });
}

TransferOutcome CheckImageWritable(const CloneImage &image)
{
    // Nothing reaches the radio from an image it cannot take: every record first.
    if (const Result<QStringList> encoded = image.channels.encode(1, ChannelCount); !encoded)
        return ChannelDataError(encoded.problem());
    if (!image.banks.valid()) {
        return TransferOutcome::failure(
            FixedText::WriteBankError(), FixedText::NgTitle(),
            QStringLiteral("The banks hold %1 channels, not 500. Nothing was written.")
                .arg(image.banks.total()));
    }
    return TransferOutcome::success();
}

TransferOutcome WriteAllData(RadioLink &link, CloneImage &image, Progress &progress)
{
    if (TransferOutcome checked = CheckImageWritable(image); !checked.ok)
        return checked;
    std::vector<Step> steps = {
        {FixedText::WriteBankError(), [&] { return WriteBankPartition(link, image.banks, progress); }},
        {FixedText::WriteOneTouchError(), [&] { return WriteOneTouch(link, image.oneTouch, progress); }},
        {FixedText::WriteTitleError(), [&] { return WriteTitle(link, image.title, progress); }},
        {FixedText::WriteSettingError(),
         [&] { return WriteSettings(link, image.settings, image.dtmf, progress); }},
    };
    for (int glyph = 0; glyph < FontGlyphs::GlyphCount; ++glyph)
        steps.push_back({FixedText::WriteFontError(),
                         [&, glyph] { return WriteGlyph(link, image.glyphs, glyph, progress); }});
    steps.push_back(
        {FixedText::WriteBankLinkError(), [&] { return WriteBankLinks(link, image.bankLinks, progress); }});
    return RunSteps(link, progress, WriteSteps, steps,
                    [&] { return WriteChannels(link, image.channels, 1, ChannelCount, progress); });
}

} // namespace n35
