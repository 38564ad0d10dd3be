#pragma once

#include "link/outcome.h"

namespace n35
{

class DtmfMemories;
class Progress;
class RadioLink;
class SetModeSettings;

// The set-mode settings with the DTMF region and the write-protect byte, without identifying the radio
// (the caller has). Reading: the three settings blocks, their decode (language first), the write-protect
// byte and the three DTMF parts, seven reads, stopping at the first that fails or cannot be shown.
TransferOutcome ReadSettings(RadioLink &link, SetModeSettings &settings, DtmfMemories &dtmf,
                             Progress &progress);
// Writing: the three settings blocks read again (so the bytes written back are the radio's own), then
// 64 + 64 + 22 bytes of settings, 64 + 64 + 37 bytes of DTMF data and the write-protect byte.
TransferOutcome WriteSettings(RadioLink &link, SetModeSettings &settings, const DtmfMemories &dtmf,
                              Progress &progress);

// The "Read" and "Write" buttons of the set-mode page and of the common "Setting" frame: the
// identification first, progress maxima 8 and 11, and their failure messages.
TransferOutcome SettingRead(RadioLink &link, SetModeSettings &settings, DtmfMemories &dtmf,
                            Progress &progress);
TransferOutcome SettingWrite(RadioLink &link, SetModeSettings &settings, const DtmfMemories &dtmf,
                             Progress &progress);

} // namespace n35
