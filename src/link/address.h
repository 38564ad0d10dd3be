#pragma once

#include <QString>

namespace n35
{

// Radio addresses are written in commands as exactly five upper-case hex digits ("00B00", "0FE01").
QString AddressText(int address);

// Memory channel 1..952. The Dual pairs (601..800) are stored interleaved: all Main channels first,
// then all Sub channels.
QString ChannelBlockAddress(int channel);
// Bank partition block 0 -> "00200", any other -> "00240".
QString BankBlockAddress(int block);
// Settings block 0 -> "00000", 1 -> "00040", any other -> "00080".
QString SettingsBlockAddress(int block);
// Custom glyph 0..7 -> "00900".."009E0".
QString GetFontAdr(int fontNumber);
// Pass-channel index block 0..12 -> "00500".."00800".
QString PassIndexBlockAddress(int block);

constexpr int PassIndexBlockCount = 13;

// One upper-case hex digit to four "0"/"1" characters, most significant first; anything else gives "".
QString HexToBitString(const QString &digit);

} // namespace n35
