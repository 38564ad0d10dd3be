#pragma once

#include <QList>
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

// Where a stretch of radio memory belongs, for messages ("channel 12", "the title").
QString RegionAt(int address);

// A stretch of the radio's memory that "Write All Data" writes, in its order. The identification goes
// before the first stretch and again before the first channel record (identifyFirst).
struct WriteStretch {
    int address;
    int length;
    bool identifyFirst = false;
};

// Every block the whole-radio read fetches, in its order (64 bytes each), then the 13 blocks of the
// pass-channel index, which the whole-radio write rewrites from the channels: together they hold every
// byte a write may change, so a backup of them can put the radio back as it was.
const QList<int> &BackupBlockAddresses();
// Every byte "Write All Data" may write: the used extent of each region block, the whole 64-byte record
// of every channel, the write-protect byte and the pass-channel index, in the write's order.
const QList<WriteStretch> &WholeRadioWriteStretches();

} // namespace n35
