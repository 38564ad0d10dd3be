#pragma once

#include <QString>
#include <cstdint>

namespace n35
{

// Hex conventions of the radio's records: a byte as two upper-case digits, 16- and 32-bit values
// little-endian (low byte first).
QString ByteHex(unsigned value);
QString Word16Hex(std::uint16_t value);
QString Word32Hex(std::uint32_t value);
// One hex digit of either case, or -1.
int HexDigitValue(QChar c);
// The byte at byte offset index of a hex text (either case), or -1 when the pair is missing or not hex.
int HexByteAt(const QString &hex, int index);
// Little-endian values at a byte offset; -1 when any pair is missing or not hex.
qint64 HexWord16At(const QString &hex, int index);
qint64 HexWord32At(const QString &hex, int index);
// True when the text is an even number of hex digits (either case).
bool IsHexText(const QString &text);

} // namespace n35
