#include "model/banklinks.h"

#include "model/banks.h"
#include "model/hex.h"

namespace n35
{

namespace
{

constexpr int GroupHex = 16; // 8 bytes a group
constexpr int UsedHex = 13;  // the 52 bits that hold banks 0..49 and two padding bits

} // namespace

BankLinks::BankLinks(QObject *parent) : QObject(parent) {}

QString BankLinks::GroupName(int group)
{
    return group == GroupCount - 1 ? QStringLiteral("GroupB") : QStringLiteral("Group%1").arg(group);
}

bool BankLinks::linked(int group, int bank) const
{
    return flags.at(static_cast<std::size_t>(group)).at(static_cast<std::size_t>(bank));
}

void BankLinks::apply(const Flags &next)
{
    if (next == flags)
        return;
    flags = next;
    emit changed();
}

void BankLinks::setLinked(int group, int bank, bool isLinked)
{
    if (group < 0 || group >= GroupCount || bank < 0 || bank >= BankCount)
        return;
    Flags next = flags;
    next[static_cast<std::size_t>(group)][static_cast<std::size_t>(bank)] = isLinked;
    apply(next);
}

void BankLinks::toggle(int group, int bank)
{
    if (group >= 0 && group < GroupCount && bank >= 0 && bank < BankCount)
        setLinked(group, bank, !linked(group, bank));
}

void BankLinks::reset()
{
    apply(Flags{});
}

void BankLinks::dropEmptyBanks(const BankPartition &partition)
{
    Flags next = flags;
    for (auto &group : next) {
        for (int bank = 0; bank < BankCount; ++bank) {
            if (partition.count(bank) == 0)
                group[static_cast<std::size_t>(bank)] = false;
        }
    }
    apply(next);
}

QString BankLinks::MakeBankLink() const
{
    QString hex;
    for (const auto &group : flags) {
        // 50 bank bits and 14 zero bits, four to a hex digit, the first bank in the top bit.
        for (int digit = 0; digit < GroupHex; ++digit) {
            int value = 0;
            for (int bit = 0; bit < 4; ++bit) {
                const int bank = digit * 4 + bit;
                value = value * 2 + (bank < BankCount && group[static_cast<std::size_t>(bank)] ? 1 : 0);
            }
            hex += QString::number(value, 16).toUpper();
        }
    }
    return hex;
}

Status BankLinks::ExpandBankLink(const QString &hex)
{
    if (hex.size() < HexLength) {
        return Problem{QStringLiteral("the bank links"), QStringLiteral("the bank-link blocks"),
                       QStringLiteral("the text is %1 characters, not %2").arg(hex.size()).arg(HexLength)};
    }
    Flags next{};
    for (int group = 0; group < GroupCount; ++group) {
        for (int digit = 0; digit < UsedHex; ++digit) {
            const QChar c = hex.at(group * GroupHex + digit);
            const int value = HexDigitValue(c);
            if (value < 0) {
                return Problem{QStringLiteral("the bank links"), GroupName(group),
                               QStringLiteral("\"%1\" is not a hex digit").arg(c)};
            }
            for (int bit = 0; bit < 4; ++bit) {
                const int bank = digit * 4 + bit;
                if (bank < BankCount)
                    next[static_cast<std::size_t>(group)][static_cast<std::size_t>(bank)] =
                        (value >> (3 - bit)) & 1;
            }
        }
    }
    apply(next);
    return {};
}

} // namespace n35
