#pragma once

#include "link/outcome.h"

namespace n35
{

class OneTouchKeys;
class OpeningTitle;
class Progress;
class RadioLink;

// The one-touch keys (27 bytes) and the title (34 bytes), without identifying the
// radio. A read that does not bring 128 hex characters changes nothing. The two share one radio block,
// and each write carries only its own bytes, so neither touches the other.
TransferOutcome ReadOneTouch(RadioLink &link, OneTouchKeys &keys, Progress &progress);
TransferOutcome WriteOneTouch(RadioLink &link, const OneTouchKeys &keys, Progress &progress);
TransferOutcome ReadTitle(RadioLink &link, OpeningTitle &title, Progress &progress);
TransferOutcome WriteTitle(RadioLink &link, const OpeningTitle &title, Progress &progress);

// The "Read" and "Write" buttons of the two frames: identification, progress maximum 2, their messages.
TransferOutcome OneTouchRead(RadioLink &link, OneTouchKeys &keys, Progress &progress);
TransferOutcome OneTouchWrite(RadioLink &link, const OneTouchKeys &keys, Progress &progress);
TransferOutcome TitleRead(RadioLink &link, OpeningTitle &title, Progress &progress);
TransferOutcome TitleWrite(RadioLink &link, const OpeningTitle &title, Progress &progress);

} // namespace n35
