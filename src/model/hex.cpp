#include "model/hex.h"

namespace n35
{

QString ByteHex(unsigned value)
{
    static const char digits[] = "0123456789ABCDEF";
    value &= 0xFF;
    const char pair[2] = {digits[value / 16], digits[value % 16]};
    return QString::fromLatin1(pair, 2);
}

QString Word16Hex(std::uint16_t value)
{
    return ByteHex(value & 0xFF) + ByteHex(value >> 8);
}

QString Word32Hex(std::uint32_t value)
{
    return Word16Hex(value & 0xFFFF) + Word16Hex(value >> 16);
}

int HexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

int HexByteAt(const QString &hex, int index)
{
    const qsizetype pos = qsizetype(index) * 2;
    if (index < 0 || pos + 2 > hex.size())
        return -1;
    const int high = HexDigitValue(hex.at(pos));
    const int low = HexDigitValue(hex.at(pos + 1));
    if (high < 0 || low < 0)
        return -1;
    return high * 16 + low;
}

qint64 HexWord16At(const QString &hex, int index)
{
    const int low = HexByteAt(hex, index);
    const int high = HexByteAt(hex, index + 1);
    if (low < 0 || high < 0)
        return -1;
    return low | (high << 8);
}

qint64 HexWord32At(const QString &hex, int index)
{
    const qint64 low = HexWord16At(hex, index);
    const qint64 high = HexWord16At(hex, index + 2);
    if (low < 0 || high < 0)
        return -1;
    return low | (high << 16);
}

bool IsHexText(const QString &text)
{
    if (text.size() % 2 != 0)
        return false;
    for (QChar c : text) {
        if (HexDigitValue(c) < 0)
            return false;
    }
    return true;
}

} // namespace n35
