#include "model/cloneimage.h"

namespace n35
{

CloneImage::CloneImage()
{
    reset();
}

void CloneImage::reset()
{
    banks.reset();
    channels.resetToStartup();
    LabelChannelRows(banks, channels);
}

} // namespace n35
