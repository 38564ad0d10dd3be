#include "model/onetouch.h"

#include "model/banks.h"
#include "model/hex.h"

namespace n35
{

OneTouchKeys::OneTouchKeys(QObject *parent) : QObject(parent)
{
    const BankPartition defaults;
    followPartition(defaults);
}

int OneTouchKeys::countOf(int bank) const
{
    return bank >= 0 && bank < BankCount ? counts[static_cast<std::size_t>(bank)] : 0;
}

int OneTouchKeys::positionCount(int i) const
{
    return countOf(key(i).bank);
}

void OneTouchKeys::apply(const std::array<Key, KeyCount> &next)
{
    if (next == keys)
        return;
    keys = next;
    emit changed();
}

void OneTouchKeys::setDisabled(int i, bool disabled)
{
    auto next = keys;
    next.at(static_cast<std::size_t>(i)).disabled = disabled;
    apply(next);
}

void OneTouchKeys::setBank(int i, int bank)
{
    if (!banks.contains(QString::number(bank)))
        return;
    auto next = keys;
    Key &k = next.at(static_cast<std::size_t>(i));
    if (countOf(bank) != countOf(k.bank))
        k.position = 0;
    k.bank = bank;
    apply(next);
}

void OneTouchKeys::setPosition(int i, int position)
{
    if (position < 0 || position >= positionCount(i))
        return;
    auto next = keys;
    next.at(static_cast<std::size_t>(i)).position = position;
    apply(next);
}

void OneTouchKeys::reset()
{
    std::array<Key, KeyCount> next{};
    for (Key &k : next)
        k = Key{true, banks.isEmpty() ? 0 : banks.first().toInt(), 0};
    apply(next);
}

void OneTouchKeys::followPartition(const BankPartition &partition)
{
    QStringList listed;
    for (int bank = 0; bank < BankCount; ++bank) {
        counts[static_cast<std::size_t>(bank)] = partition.count(bank);
        if (partition.count(bank) > 0)
            listed << QString::number(bank);
    }
    const bool listsChanged = listed != banks;
    banks = listed;
    if (banks.isEmpty()) { // a partition being edited may be empty for a moment
        if (listsChanged)
            emit changed();
        return;
    }
    auto next = keys;
    for (Key &k : next) {
        if (countOf(k.bank) == 0) {
            k.bank = banks.first().toInt();
            k.position = 0;
        } else if (k.position >= countOf(k.bank)) {
            k.position = 0;
        }
    }
    if (next == keys && listsChanged)
        emit changed();
    apply(next);
}

QString OneTouchKeys::MakeOneTouchData() const
{
    QString hex;
    for (const Key &k : keys) {
        hex += ByteHex(k.disabled ? DisabledBank : static_cast<unsigned>(k.bank));
        hex += Word16Hex(static_cast<std::uint16_t>(k.position));
    }
    return hex;
}

Status OneTouchKeys::ExpandOneTouchData(const QString &hex)
{
    constexpr int EntryBytes = 3;
    constexpr qsizetype HexChars = qsizetype{KeyCount} * EntryBytes * 2;
    if (hex.size() < HexChars || !IsHexText(hex.left(HexChars)))
        return Problem{QStringLiteral("the one-touch keys"), QStringLiteral("the one-touch block"),
                       QStringLiteral("it is not 54 hex characters")};
    const int first = banks.isEmpty() ? 0 : banks.first().toInt();
    std::array<Key, KeyCount> next{};
    for (int i = 0; i < KeyCount; ++i) {
        const int bank = HexByteAt(hex, EntryBytes * i);
        const int position = static_cast<int>(HexWord16At(hex, EntryBytes * i + 1));
        Key &k = next.at(static_cast<std::size_t>(i));
        if (bank == DisabledBank) {
            k = Key{true, first, 0};
        } else if (countOf(bank) == 0) {
            k = Key{false, first, 0};
        } else {
            k = Key{false, bank, position < countOf(bank) ? position : 0};
        }
    }
    apply(next);
    return {};
}

} // namespace n35
