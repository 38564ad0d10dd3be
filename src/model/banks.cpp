#include "model/banks.h"

#include "model/channeltable.h"
#include "model/hex.h"

#include <QStringList>
#include <algorithm>
#include <numeric>

namespace n35
{

namespace
{

constexpr int BanksInBlock0 = 32;
constexpr int CountBoxDigits = 4;
constexpr int SettledCountAboveMax = 100;

int FirstBankOf(int block)
{
    return block == 0 ? 0 : BanksInBlock0;
}

int EndBankOf(int block)
{
    return block == 0 ? BanksInBlock0 : BankCount;
}

} // namespace

BankPartition::BankPartition(QObject *parent) : QObject(parent), bankCounts(DefaultCounts()) {}

BankPartition::Counts BankPartition::DefaultCounts()
{
    Counts counts{};
    for (int bank = 0; bank < 5; ++bank)
        counts[static_cast<std::size_t>(bank)] = 100;
    return counts;
}

bool BankPartition::IsValid(const Counts &counts)
{
    const bool inRange = std::all_of(counts.begin(), counts.end(),
                                     [](int count) { return count >= 0 && count <= MaxBankCount; });
    return inRange && std::accumulate(counts.begin(), counts.end(), 0) == BankChannelTotal;
}

int BankPartition::total() const
{
    return std::accumulate(bankCounts.begin(), bankCounts.end(), 0);
}

void BankPartition::setCount(int bank, int count)
{
    if (bank < 0 || bank >= BankCount)
        return;
    Counts counts = bankCounts;
    counts[static_cast<std::size_t>(bank)] = std::clamp(count, 0, 9999);
    setCounts(counts);
}

void BankPartition::setCounts(const Counts &counts)
{
    if (counts == bankCounts)
        return;
    bankCounts = counts;
    emit changed();
}

void BankPartition::reset()
{
    setCounts(DefaultCounts());
}

bool BankPartition::applyDecoded(const Counts &counts)
{
    const bool ok = IsValid(counts);
    setCounts(ok ? counts : DefaultCounts());
    return ok;
}

QString EncodeBankBlock(const BankPartition &banks, int block)
{
    QString hex;
    for (int bank = FirstBankOf(block); bank < EndBankOf(block); ++bank)
        hex += Word16Hex(static_cast<std::uint16_t>(banks.count(bank)));
    // The sizes of the PRG, Dual, PRIO, CALL and PASS groups, and two zero words.
    if (block != 0)
        hex += QStringLiteral("6400C800320002006400") + QStringLiteral("00000000");
    return hex;
}

Status DecodeBankBlock(const QString &hex, int block, BankPartition::Counts &counts)
{
    BankPartition::Counts decoded = counts;
    for (int bank = FirstBankOf(block); bank < EndBankOf(block); ++bank) {
        const qint64 count = HexWord16At(hex, (bank - FirstBankOf(block)) * 2);
        if (count < 0) {
            return Problem{QStringLiteral("bank %1").arg(bank), QStringLiteral("bank block %1").arg(block),
                           QStringLiteral("the block is too short or not hex")};
        }
        decoded[static_cast<std::size_t>(bank)] = static_cast<int>(count);
    }
    counts = decoded;
    return {};
}

void LabelChannelRows(const BankPartition &banks, ChannelTable &channels)
{
    QStringList labels;
    for (int channel = 1; channel <= ChannelCount; ++channel)
        labels << channels.label(channel);

    int row = 0;
    for (int bank = 0; bank < BankCount; ++bank) {
        for (int k = 0; k < banks.count(bank) && row < FirstPrgChannel - 1; ++k) {
            labels[row++] = QStringLiteral("Bank%1-%2")
                                .arg(bank, 2, 10, QLatin1Char('0'))
                                .arg(k, 3, 10, QLatin1Char('0'));
        }
    }
    for (int r = FirstPrgChannel; r < FirstDualChannel; ++r) {
        const int pair = (r - FirstPrgChannel) / 2;
        labels[r - 1] =
            QStringLiteral("PRG - %1%2").arg(pair).arg(r % 2 ? QLatin1Char('A') : QLatin1Char('B'));
    }
    for (int r = FirstDualChannel; r < FirstPrioChannel; ++r) {
        const int pair = (r - FirstDualChannel) / 2;
        labels[r - 1] = QStringLiteral("Dual%1%2")
                            .arg(pair)
                            .arg(r % 2 ? QLatin1String("(Main) ") : QLatin1String("(Sub) "));
    }
    for (int r = FirstPrioChannel; r < Call222Channel; ++r)
        labels[r - 1] = QStringLiteral("PRIO - %1").arg(r - FirstPrioChannel);
    labels[Call222Channel - 1] = QStringLiteral("CALL-222");
    labels[Call900Channel - 1] = QStringLiteral("CALL-900");
    for (int r = FirstPassChannel; r <= ChannelCount; ++r)
        labels[r - 1] = QStringLiteral("PASS - %1").arg(r - FirstPassChannel);
    channels.setLabels(labels);
}

void StepBankCount(BankPartition &banks, int currentBank, int step)
{
    if (currentBank < 0 || currentBank >= BankCount)
        return;
    const int count = banks.count(currentBank);
    if ((step > 0 && count < MaxBankCount) || (step < 0 && count >= 1))
        banks.setCount(currentBank, count + (step > 0 ? 1 : -1));
}

KeyVerdict FilterCountKey(QChar key, int boxLength)
{
    if (key >= QLatin1Char('0') && key <= QLatin1Char('9'))
        return boxLength < CountBoxDigits ? KeyVerdict::Accept : KeyVerdict::Drop;
    if (key == QChar(13))
        return KeyVerdict::Confirm;
    if (key == QChar(8))
        return KeyVerdict::Accept;
    return KeyVerdict::Drop;
}

int CountBoxNumber(const QString &text)
{
    int number = 0;
    for (QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            number = std::min(number * 10 + (c.unicode() - '0'), 9999);
    }
    return number;
}

int CountBoxSettled(const QString &text)
{
    const int number = CountBoxNumber(text);
    return number > MaxBankCount ? SettledCountAboveMax : number;
}

} // namespace n35
