#pragma once

#include "link/outcome.h"

namespace n35
{

class CloneImage;
class Progress;
class RadioLink;

// The whole clone image between the radio and the program in one go, region by region in a fixed order:
// identification, bank partition, one-touch keys, title, settings with DTMF, the eight glyphs, the two
// bank-link blocks, then the 952 channels with their own identification (and, writing, the pass index).
// The first failure ends the transfer with a message naming the region; what was transferred before it
// stays transferred.

// "Read All Data": progress maximum 22 until the channels, which run the bar again with their own.
TransferOutcome ReadAllData(RadioLink &link, CloneImage &image, Progress &progress);

// Whether every region of the image can go to the radio: each channel record, and a partition of 500.
// Success, or the failure "Write All Data" would end with before sending anything.
TransferOutcome CheckImageWritable(const CloneImage &image);

// "Write All Data": progress maximum 25 likewise. Every channel is encoded before anything is sent, so a
// cell the radio cannot take stops the write before the radio is touched; a bank partition that does
// not add up to 500 is never sent either.
TransferOutcome WriteAllData(RadioLink &link, CloneImage &image, Progress &progress);

} // namespace n35
