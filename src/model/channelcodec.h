#pragma once

#include "model/channeltable.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace n35
{

// A frequency in Hz as the grid shows it: whole MHz, a point, five decimals and "MHz"
// ("222.00000MHz", "1270.00625MHz"). The 1 Hz digit is dropped, not rounded.
QString FrequencyText(std::uint32_t hz);

// The value of a frequency text ("223.12345MHz", "223.12345", "223.1") in Hz, rounded to a whole Hz.
// Empty when the text is no frequency or does not fit the record's 32 bits.
std::optional<std::uint32_t> ParseFrequency(const QString &text);

// Fills row `channel` from the 128-character hex text of its record. A record whose status byte is not
// 0x01 or 0x02 is an empty channel. Returns an empty string on success; otherwise the reason, and the
// row is left as it was (a code outside its table, or a record that is not 128 hex characters).
QString DecodeChannel(const QString &hex, int channel, ChannelTable &table);

// The name part of a record (64 hex characters) into column 12 of the row, trailing spaces included.
void DecodeChannelName(const QString &hex, int channel, ChannelTable &table);

// The record of row `channel` as hex: "00" for an empty row (empty frequency cell), otherwise 128
// characters. A cell the radio cannot take (a text outside its table, a frequency that is no number or
// does not fit) is refused: the result is empty and *error names the channel and the cell. Nothing
// is substituted behind the user's back.
QString EncodeChannel(int channel, const ChannelTable &table, QString *error = nullptr);

// True when no pass channel other than `currentRow` holds the frequency of `text` (compared as numbers).
// The rows are never changed here: the caller reports the overlap and keeps what the user had.
bool CheckPassFrequency(const QString &text, int currentRow, const ChannelTable &table);

} // namespace n35
