#pragma once

#include "model/banklinks.h"
#include "model/banks.h"
#include "model/channeltable.h"
#include "model/dtmf.h"
#include "model/glyphs.h"
#include "model/onetouch.h"
#include "model/settings.h"
#include "model/title.h"

namespace n35
{

// The one copy of everything the program holds for the radio. The main window owns it; codecs, transfers
// and files read and write it, and the windows are views of it. Each region announces its own changes.
class CloneImage
{
public:
    CloneImage();
    CloneImage(const CloneImage &) = delete;
    CloneImage &operator=(const CloneImage &) = delete;

    // The start-up state of every region.
    void reset();

    ChannelTable channels;
    BankPartition banks;
    SetModeSettings settings;
    DtmfMemories dtmf;
    OneTouchKeys oneTouch;
    OpeningTitle title;
    BankLinks bankLinks;
    FontGlyphs glyphs;
};

} // namespace n35
