#include "model/cloneimage.h"

namespace n35
{

CloneImage::CloneImage()
{
    // The bank rows' labels follow every valid partition, however it arrived (the bank page, a radio
    // read, a file). An unfinished partition leaves them as they were until it adds up to 500 again.
    QObject::connect(&banks, &BankPartition::changed, &channels, [this] {
        if (!banks.valid())
            return;
        LabelChannelRows(banks, channels);
        // The lists built from the partition follow every valid one at once, so nothing is ever decoded
        // against lists of an older partition (a decoded partition is always valid). The unfinished ones
        // in between are passed over: a slider moved 100 -> 99 -> 100 leaves every selection as it was.
        settings.setBankEntries(banks);
        oneTouch.followPartition(banks);
    });
    // The regions start in their start-up state; only what follows the partition is left to make.
    LabelChannelRows(banks, channels);
    settings.setBankEntries(banks);
}

void CloneImage::reset()
{
    banks.reset();
    channels.reset();
    LabelChannelRows(banks, channels);
    settings.reset();
    settings.setBankEntries(banks);
    dtmf.reset();
    oneTouch.followPartition(banks);
    oneTouch.reset();
    title.reset();
    bankLinks.reset();
    glyphs.reset();
}

} // namespace n35
