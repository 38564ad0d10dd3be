#include "link/address.h"

namespace n35
{

QString AddressText(int address)
{
    return QStringLiteral("%1").arg(address, 5, 16, QLatin1Char('0')).toUpper();
}

QString ChannelBlockAddress(int channel)
{
    int slot = channel - 1;
    if (channel >= 601 && channel <= 800) {
        const int k = channel - 601;
        slot = 600 + (k % 2) * 100 + k / 2;
    }
    return AddressText(0x00B00 + 64 * slot);
}

QString BankBlockAddress(int block)
{
    return block == 0 ? QStringLiteral("00200") : QStringLiteral("00240");
}

QString SettingsBlockAddress(int block)
{
    switch (block) {
    case 0:
        return QStringLiteral("00000");
    case 1:
        return QStringLiteral("00040");
    default:
        return QStringLiteral("00080");
    }
}

QString GetFontAdr(int fontNumber)
{
    return AddressText(0x00900 + 32 * fontNumber);
}

QString PassIndexBlockAddress(int block)
{
    return AddressText(0x00500 + 64 * block);
}

namespace
{

constexpr int ChannelBase = 0x00B00;
constexpr int ChannelRecords = 952;
constexpr int RecordBytes = 64;

int ChannelAtSlot(int slot)
{
    if (slot >= 600 && slot < 700)
        return 601 + 2 * (slot - 600);
    if (slot >= 700 && slot < 800)
        return 602 + 2 * (slot - 700);
    return slot + 1;
}

} // namespace

QString RegionAt(int address)
{
    struct Region {
        int first;
        int end;
        const char *name;
    };
    static const Region regions[] = {
        {0x00000, 0x000C0, "the settings"},       {0x00100, 0x00180, "the bank links"},
        {0x00180, 0x001A0, "the one-touch keys"}, {0x001A0, 0x001E0, "the title"},
        {0x00200, 0x00280, "the bank partition"}, {0x00500, 0x00840, "the pass-channel index"},
        {0x00A00, 0x00AC0, "the DTMF memories"},  {0x0FE01, 0x0FE41, "the write-protect byte"},
    };
    if (address >= 0x00900 && address < 0x00A00)
        return QStringLiteral("glyph %1").arg((address - 0x00900) / 32 + 1);
    if (address >= ChannelBase && address < ChannelBase + ChannelRecords * RecordBytes)
        return QStringLiteral("channel %1").arg(ChannelAtSlot((address - ChannelBase) / RecordBytes));
    for (const Region &region : regions) {
        if (address >= region.first && address < region.end)
            return QString::fromLatin1(region.name);
    }
    return QStringLiteral("the memory at %1").arg(AddressText(address));
}

const QList<int> &BackupBlockAddresses()
{
    static const QList<int> addresses = [] {
        QList<int> list = {0x00200, 0x00240, 0x00180, 0x001A0, 0x00000, 0x00040,
                           0x00080, 0x0FE01, 0x00A00, 0x00A33, 0x00A73};
        for (int glyph = 0; glyph < 8; ++glyph)
            list << 0x00900 + 32 * glyph;
        list << 0x00100 << 0x00140;
        for (int channel = 1; channel <= ChannelRecords; ++channel)
            list << ChannelBlockAddress(channel).toInt(nullptr, 16);
        for (int block = 0; block < PassIndexBlockCount; ++block)
            list << 0x00500 + RecordBytes * block;
        return list;
    }();
    return addresses;
}

const QList<WriteStretch> &WholeRadioWriteStretches()
{
    static const QList<WriteStretch> stretches = [] {
        QList<WriteStretch> list = {
            {0x00200, 64, true}, {0x00240, 50}, {0x00180, 27}, {0x001A0, 34}, {0x00000, 64}, {0x00040, 64},
            {0x00080, 22},       {0x00A00, 64}, {0x00A40, 64}, {0x00A80, 37}, {0x0FE01, 1},
        };
        for (int glyph = 0; glyph < 8; ++glyph)
            list.append({0x00900 + 32 * glyph, 32});
        list.append({0x00100, 64});
        list.append({0x00140, 24});
        for (int channel = 1; channel <= ChannelRecords; ++channel)
            list.append({ChannelBlockAddress(channel).toInt(nullptr, 16), RecordBytes, channel == 1});
        for (int block = 0; block < PassIndexBlockCount; ++block)
            list.append({0x00500 + RecordBytes * block, RecordBytes});
        return list;
    }();
    return stretches;
}

} // namespace n35
