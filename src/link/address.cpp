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

QString HexToBitString(const QString &digit)
{
    if (digit.size() != 1)
        return {};
    const QChar c = digit.at(0);
    int value;
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        value = c.unicode() - '0';
    else if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        value = c.unicode() - 'A' + 10;
    else
        return {};
    QString bits;
    for (int bit = 3; bit >= 0; --bit)
        bits += (value >> bit) & 1 ? QLatin1Char('1') : QLatin1Char('0');
    return bits;
}

} // namespace n35
