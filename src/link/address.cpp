#include "link/address.h"

#include <algorithm>

namespace n35
{

QString AddressText(int address)
{
    return QStringLiteral("%1").arg(address, 5, 16, QLatin1Char('0')).toUpper();
}

namespace
{

constexpr int ChannelRecords = 952;

// `count` stretches of `length` bytes, `stride` apart.
QList<WriteStretch> Spaced(int first, int stride, int count, int length)
{
    QList<WriteStretch> list;
    for (int block = 0; block < count; ++block)
        list.append({first + stride * block, length});
    return list;
}

// The record of every channel in channel order. The Dual pairs (601..800) are stored interleaved: the
// slots 600..699 hold the Main channels, 700..799 the Sub channels.
QList<WriteStretch> ChannelRecordsFrom(int first)
{
    QList<WriteStretch> list;
    for (int channel = 1; channel <= ChannelRecords; ++channel) {
        int slot = channel - 1;
        if (channel >= 601 && channel <= 800) {
            const int k = channel - 601;
            slot = 600 + (k % 2) * 100 + k / 2;
        }
        list.append({first + BlockBytes * slot, BlockBytes});
    }
    return list;
}

QList<int> AddressesOf(const QList<WriteStretch> &stretches)
{
    QList<int> list;
    for (const WriteStretch &stretch : stretches)
        list << stretch.address;
    return list;
}

RegionMap Repeated(MemoryRegion region, const char *name, int first, int end,
                   const QList<WriteStretch> &blocks)
{
    return {region, name, first, end, AddressesOf(blocks), blocks};
}

template <typename T> const T &BlockOf(const QList<T> &blocks, int block)
{
    return block >= 0 && block < blocks.size() ? blocks.at(block) : blocks.last();
}

} // namespace

const QList<RegionMap> &AddressTable()
{
    using R = MemoryRegion;
    // Reads always bring 64 bytes; a write sends only the bytes of the region (a settings write 22 bytes
    // of its last block, a bank-link write 24), so the rest of the radio's block stays as it was.
    // clang-format off
    static const QList<RegionMap> table = {
        // region, name,                              owns from, to,    the blocks a read fetches,
        //                                                              the stretches a write sends
        {R::BankPartition, "the bank partition",     0x00200, 0x00280, {0x00200, 0x00240},
                                                                       {{0x00200, 64}, {0x00240, 50}}},
        {R::OneTouch,      "the one-touch keys",     0x00180, 0x001A0, {0x00180}, {{0x00180, 27}}},
        {R::Title,         "the title",              0x001A0, 0x001E0, {0x001A0}, {{0x001A0, 34}}},
        {R::Settings,      "the settings",           0x00000, 0x000C0, {0x00000, 0x00040, 0x00080},
                                                           {{0x00000, 64}, {0x00040, 64}, {0x00080, 22}}},
        {R::WriteProtect,  "the write-protect byte", 0x0FE01, 0x0FE41, {0x0FE01}, {{0x0FE01, 1}}},
        // The DTMF reads start at memory boundaries, its writes at block boundaries.
        {R::Dtmf,          "the DTMF memories",      0x00A00, 0x00AC0, {0x00A00, 0x00A33, 0x00A73},
                                                           {{0x00A00, 64}, {0x00A40, 64}, {0x00A80, 37}}},
        Repeated(R::Glyphs, "glyph %1",              0x00900, 0x00A00, Spaced(0x00900, 32, 8, 32)),
        {R::BankLinks,     "the bank links",         0x00100, 0x00180, {0x00100, 0x00140},
                                                                       {{0x00100, 64}, {0x00140, 24}}},
        Repeated(R::Channels, "channel %1",          0x00B00, 0x0F900, ChannelRecordsFrom(0x00B00)),
        Repeated(R::PassIndex, "the pass-channel index", 0x00500, 0x00840,
                                                                Spaced(0x00500, 64, PassIndexBlockCount, 64)),
    };
    // clang-format on
    return table;
}

const RegionMap &MapOf(MemoryRegion region)
{
    const QList<RegionMap> &table = AddressTable();
    return *std::find_if(table.begin(), table.end(),
                         [region](const RegionMap &row) { return row.region == region; });
}

const QList<MemoryRegion> &WholeRadioReadOrder()
{
    using R = MemoryRegion;
    static const QList<MemoryRegion> order = {R::BankPartition, R::OneTouch,     R::Title,
                                              R::Settings,      R::WriteProtect, R::Dtmf,
                                              R::Glyphs,        R::BankLinks,    R::Channels};
    return order;
}

const QList<MemoryRegion> &WholeRadioWriteOrder()
{
    using R = MemoryRegion;
    static const QList<MemoryRegion> order = {R::BankPartition, R::OneTouch,     R::Title,  R::Settings,
                                              R::Dtmf,          R::WriteProtect, R::Glyphs, R::BankLinks,
                                              R::Channels,      R::PassIndex};
    return order;
}

int ReadBlockCount(MemoryRegion region)
{
    return static_cast<int>(MapOf(region).reads.size());
}

int WriteBlockCount(MemoryRegion region)
{
    return static_cast<int>(MapOf(region).writes.size());
}

QString ReadAddress(MemoryRegion region, int block)
{
    return AddressText(BlockOf(MapOf(region).reads, block));
}

QString WriteAddress(MemoryRegion region, int block)
{
    return AddressText(BlockOf(MapOf(region).writes, block).address);
}

QString WriteBlockHex(MemoryRegion region, int block, const QString &hex)
{
    const QList<WriteStretch> &writes = MapOf(region).writes;
    qsizetype offset = 0;
    for (int before = 0; before < block && before < writes.size(); ++before)
        offset += 2 * qsizetype(writes.at(before).length);
    return hex.mid(offset, 2 * qsizetype(BlockOf(writes, block).length));
}

QString ChannelBlockAddress(int channel)
{
    return ReadAddress(MemoryRegion::Channels, channel - 1);
}

QString BankBlockAddress(int block)
{
    return ReadAddress(MemoryRegion::BankPartition, block);
}

QString SettingsBlockAddress(int block)
{
    return ReadAddress(MemoryRegion::Settings, block);
}

QString GetFontAdr(int fontNumber)
{
    return ReadAddress(MemoryRegion::Glyphs, fontNumber);
}

QString RegionAt(int address)
{
    for (const RegionMap &row : AddressTable()) {
        if (address < row.first || address >= row.end)
            continue;
        QString name = QString::fromLatin1(row.name);
        if (!name.contains(QLatin1String("%1")))
            return name;
        // Glyphs and channels are named by the write stretch (glyph, record) that holds the address.
        for (qsizetype block = 0; block < row.writes.size(); ++block) {
            const WriteStretch &stretch = row.writes.at(block);
            if (address >= stretch.address && address < stretch.address + stretch.length)
                return name.arg(block + 1);
        }
    }
    return QStringLiteral("the memory at %1").arg(AddressText(address));
}

const QList<int> &BackupBlockAddresses()
{
    static const QList<int> addresses = [] {
        QList<int> list;
        for (const MemoryRegion region : WholeRadioReadOrder())
            list += MapOf(region).reads;
        return list + MapOf(MemoryRegion::PassIndex).reads;
    }();
    return addresses;
}

const QList<WriteStretch> &WholeRadioWriteStretches()
{
    static const QList<WriteStretch> stretches = [] {
        QList<WriteStretch> list;
        for (const MemoryRegion region : WholeRadioWriteOrder()) {
            const QList<WriteStretch> &writes = MapOf(region).writes;
            for (qsizetype block = 0; block < writes.size(); ++block) {
                WriteStretch stretch = writes.at(block);
                stretch.identifyFirst = list.isEmpty() || (region == MemoryRegion::Channels && block == 0);
                list.append(stretch);
            }
        }
        return list;
    }();
    return stretches;
}

} // namespace n35
