#pragma once

#include <QList>
#include <QString>

namespace n35
{

// The radio's memory map: where each region lives, the blocks its read and write commands move and the
// order the whole-radio transfers take them in. Every transfer takes its addresses from this one table.

// Radio addresses are written in commands as exactly five upper-case hex digits ("00B00", "0FE01").
QString AddressText(int address);

// A read command always brings 64 bytes from its address on; a write sends the bytes it is given.
constexpr int BlockBytes = 64;

enum class MemoryRegion {
    BankPartition,
    OneTouch,
    Title,
    Settings,
    WriteProtect,
    Dtmf,
    Glyphs,
    BankLinks,
    Channels,
    PassIndex,
};

// A stretch of the radio's memory that a write sends. In "Write All Data" the identification goes before
// the first stretch and again before the first channel record (identifyFirst).
struct WriteStretch {
    int address;
    int length;
    bool identifyFirst = false;
};

// One row of the address table.
struct RegionMap {
    MemoryRegion region;
    // For messages; "%1" takes the number of the block (glyphs and channels count from 1).
    const char *name;
    // The memory the region owns, first to end (exclusive).
    int first;
    int end;
    // The blocks a read fetches, in their order.
    QList<int> reads;
    // The stretches a write sends, in their order; for the channels one record per channel, 1 to 952.
    QList<WriteStretch> writes;
};

const QList<RegionMap> &AddressTable();
const RegionMap &MapOf(MemoryRegion region);

// The region order of the whole-radio read (a backup follows it, then adds the pass-channel index) and of
// "Write All Data", which sends the DTMF memories before the write-protect byte.
const QList<MemoryRegion> &WholeRadioReadOrder();
const QList<MemoryRegion> &WholeRadioWriteOrder();

// How many blocks a region's read fetches and its write sends.
int ReadBlockCount(MemoryRegion region);
int WriteBlockCount(MemoryRegion region);
// Block `block` of a region's read or write as the command spells it; a number outside the region's
// blocks gives its last block.
QString ReadAddress(MemoryRegion region, int block);
QString WriteAddress(MemoryRegion region, int block);
// Write block `block` cut from the hex of the region's whole encoded bytes, by the table's lengths.
QString WriteBlockHex(MemoryRegion region, int block, const QString &hex);

// Memory channel 1..952. The Dual pairs (601..800) are stored interleaved: all Main channels first,
// then all Sub channels.
QString ChannelBlockAddress(int channel);
// Bank partition block 0 -> "00200", any other -> "00240".
QString BankBlockAddress(int block);
// Settings block 0 -> "00000", 1 -> "00040", any other -> "00080".
QString SettingsBlockAddress(int block);
// Custom glyph 0..7 -> "00900".."009E0".
QString GetFontAdr(int fontNumber);

constexpr int PassIndexBlockCount = 13;

// Where a stretch of radio memory belongs, for messages ("channel 12", "the title").
QString RegionAt(int address);

// Every block the whole-radio read fetches, in its order (64 bytes each), then the 13 blocks of the
// pass-channel index, which the whole-radio write rewrites from the channels: together they hold every
// byte a write may change, so a backup of them can put the radio back as it was.
const QList<int> &BackupBlockAddresses();
// Every byte "Write All Data" may write: the used extent of each region block, the whole 64-byte record
// of every channel, the write-protect byte and the pass-channel index, in the write's order.
const QList<WriteStretch> &WholeRadioWriteStretches();

} // namespace n35
