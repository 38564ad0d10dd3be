#pragma once

#include "model/channelcells.h"
#include "model/channeltable.h"
#include "model/result.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace n35
{

// Fills row `channel` from the 128-character hex text of its record. A record whose status byte is not
// 0x01 or 0x02 is an empty channel. A code outside its table, or a record that is not 128 hex
// characters, is a Problem and leaves the row as it was.
Status DecodeChannel(const QString &hex, int channel, ChannelTable &table);

// The name part of a record (64 hex characters) into column 12 of the row, trailing spaces included.
void DecodeChannelName(const QString &hex, int channel, ChannelTable &table);

// The record of row `channel` as hex: "00" for an empty row (empty frequency cell), otherwise 128
// characters. A cell the radio cannot take (a text outside its table, a frequency that is no number or
// does not fit) is refused with a Problem naming the channel and the cell. Nothing is substituted
// behind the user's back.
Result<QString> EncodeChannel(int channel, const ChannelTable &table);

// "channel 12 (Bank00-011)": how problems name a row.
QString ChannelPlace(int channel, const ChannelTable &table);

// True when no pass channel other than `currentRow` holds the frequency of `text` (compared as numbers).
// The rows are never changed here: the caller reports the overlap and keeps what the user had.
bool CheckPassFrequency(const QString &text, int currentRow, const ChannelTable &table);

} // namespace n35
