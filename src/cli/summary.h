#pragma once

#include <QStringList>

namespace n35
{
class CloneImage;
}

namespace n35::cli
{

// "hvn35 show": what a clone image holds, as lines for a terminal. Banks that hold channels, every used
// channel (label, frequency, name), the one-touch keys, the title, the DTMF memories and bank links in
// use, and each set-mode option that differs from the program's start-up defaults ("caption: value").
QStringList SummarizeImage(const CloneImage &image);

} // namespace n35::cli
