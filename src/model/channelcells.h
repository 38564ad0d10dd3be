#pragma once

#include "model/channeltable.h"
#include "model/result.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace n35
{

// What each cell of a channel row may hold, in one place: the record codec, the channel editor and the
// CSV import all ask here, so a text one of them accepts is a text the radio can take.

// A frequency in Hz as the grid shows it: whole MHz, a point, five decimals and "MHz"
// ("222.00000MHz", "1270.00625MHz"). The 1 Hz digit is dropped, not rounded.
QString FrequencyText(std::uint32_t hz);

// The value of a frequency text ("223.12345MHz", "223.12345", "223.1") in Hz, rounded to a whole Hz.
// Empty when the text is no frequency or does not fit the record's 32 bits.
std::optional<std::uint32_t> ParseFrequency(const QString &text);

// How the problems name a column: "the frequency", "the step", "the Tx tone", ...
QString CellCaption(int column);

// The radio code of a cell's text: the frequency or offset in Hz (an empty offset is 0), the table index
// of the step, sub-tone mode and DCS columns, the CTCSS tone number (1..39), and the small codes of the
// mode, shift and skip columns. A text the radio cannot take is a Problem naming the column.
Result<std::uint32_t> CellCode(int column, const QString &text);

// The cell text of a radio code; nullopt for a code outside its column's table. The name column has no
// code and always gives nullopt.
std::optional<QString> CellText(int column, std::uint32_t code);

// The texts a column with a fixed list offers, in code order (empty for frequency, offset and name).
QStringList CellChoices(int column);

// Frequencies a row may hold: the CALL-222 channel only 216 MHz up to (not including) 250 MHz, the
// CALL-900 channel only 902 up to 928 MHz, every other channel either band.
bool FrequencyInBand(int channel, std::uint32_t hz);

// The largest offset the radio takes; the editor resets a larger one to 0.
inline constexpr std::uint32_t MaxOffsetHz = 999'999'950;

} // namespace n35
