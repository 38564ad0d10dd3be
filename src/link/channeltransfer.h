#pragma once

#include "link/outcome.h"

#include <QString>
#include <QStringList>

namespace n35
{

class ChannelTable;
class Progress;
class RadioLink;
struct PassIndex;

// Reads channels first..last (1..952) into the table, one 64-byte record per command, after identifying
// the radio. A failed read leaves the rows before the failing channel updated and the rest unchanged.
// Throws PortError on a line failure or on a record the program cannot show.
TransferOutcome ReadChannels(RadioLink &link, ChannelTable &table, int first, int last, Progress &progress);

// Writes channels first..last, and the pass-channel index when first or last is a pass channel. Every
// record of the range is encoded before anything is sent, so a cell the radio cannot take stops the
// write before the radio is touched. Throws PortError on a line failure.
TransferOutcome WriteChannels(RadioLink &link, const ChannelTable &table, int first, int last,
                              Progress &progress);

// "Channel data error." naming that cell; nothing was sent.
TransferOutcome ChannelDataError(const Problem &problem);


} // namespace n35
