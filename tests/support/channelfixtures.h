#pragma once

#include "model/channeltable.h"

#include <QByteArray>

namespace n35emu
{
class RadioCore;
}

namespace n35
{
class CloneImage;
}

namespace n35::testing
{

// Gives rows first..last varied content the radio can take: every step, sub-tone mode, tone and DCS code
// comes round, names with glyphs, backslashes and kanji, frequencies distinct per row (above 1000 MHz
// for some), so pass channels never overlap.
void FillVariedChannels(ChannelTable &table, int first, int last);

// Puts the program's start-up settings into a radio's memory (0x000-0x07F): an erased radio holds
// 0xFF there, which no settings list can show, and a real radio never does.
void PrimeSettings(QByteArray &memory);
void PrimeSettings(n35emu::RadioCore &radio);

// Everything a radio holds, varied: a partition of banks 0, 9 and 49, every channel (in the radio's
// bands, so CSV takes them too), a one-touch key, the title with a glyph and motion, a DTMF memory,
// Japanese settings with write protection, all eight glyphs and two bank links.
void VaryImage(CloneImage &image);

// Every region but the channels and the partition away from its start-up state: one-touch keys on banks
// 0, 7 and 49 (which the partition must hold), DTMF, title, bank links, every set-mode option, glyphs.
void VaryRegions(CloneImage &image);

// The answer of an in-process radio to what the program wrote, for FakeRadioPort.
QByteArray Answer(n35emu::RadioCore &radio, const QByteArray &written);

} // namespace n35::testing
