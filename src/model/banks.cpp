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
// A read brings 64 bytes: block 1's reply follows block 0's whole.
constexpr int BlockBytes = 64;
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

QString BankPartition::encode() const
{
    return EncodeBankBlock(*this, 0) + EncodeBankBlock(*this, 1);
}

Result<BankPartition::Counts> BankPartition::decode(const QString &hex)
{
    constexpr qsizetype Block1At = 2 * qsizetype{BlockBytes};
    Counts counts{};
    if (const Status decoded = DecodeBankBlock(hex, 0, counts); !decoded)
        return decoded.problem();
    if (const Status decoded = DecodeBankBlock(hex.mid(Block1At), 1, counts); !decoded)
        return decoded.problem();
    applyDecoded(counts);
    return counts;
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

namespace
{

// "Bank07-123", built without the cost of QString::arg: every partition change relabels up to 500 rows.
QString BankRowLabel(int bank, int position)
{
    char text[] = "Bank00-000";
    text[4] = static_cast<char>('0' + bank / 10);
    text[5] = static_cast<char>('0' + bank % 10);
    text[7] = static_cast<char>('0' + position / 100);
    text[8] = static_cast<char>('0' + position / 10 % 10);
    text[9] = static_cast<char>('0' + position % 10);
    return QString::fromLatin1(text, sizeof text - 1);
}

// The labels of rows 501..952, which never change; built once and shared.
const QStringList &FixedRowLabels()
{
    static const QStringList labels = [] {
        QStringList fixed;
        for (int r = FirstPrgChannel; r <= ChannelCount; ++r) {
            if (r < FirstDualChannel) {
                fixed << QStringLiteral("PRG - %1%2")
                             .arg((r - FirstPrgChannel) / 2)
                             .arg(r % 2 ? QLatin1Char('A') : QLatin1Char('B'));
            } else if (r < FirstPrioChannel) {
                fixed << QStringLiteral("Dual%1%2")
                             .arg((r - FirstDualChannel) / 2)
                             .arg(r % 2 ? QLatin1String("(Main) ") : QLatin1String("(Sub) "));
            } else if (r < Call222Channel) {
                fixed << QStringLiteral("PRIO - %1").arg(r - FirstPrioChannel);
            } else if (r == Call222Channel) {
                fixed << QStringLiteral("CALL-222");
            } else if (r == Call900Channel) {
                fixed << QStringLiteral("CALL-900");
            } else {
                fixed << QStringLiteral("PASS - %1").arg(r - FirstPassChannel);
            }
        }
        return fixed;
    }();
    return labels;
}

} // namespace

void LabelChannelRows(const BankPartition &banks, ChannelTable &channels)
{
    // The labels of the last complete partition, kept: the same partition is labelled again after every
    // file load, radio read and undo, and its labels are shared rather than built anew. (The model lives
    // in the GUI thread only.)
    static BankPartition::Counts lastCounts{};
    static QStringList lastLabels;
    const bool complete = banks.total() == BankChannelTotal;
    if (complete && !lastLabels.isEmpty() && banks.counts() == lastCounts) {
        channels.setLabels(lastLabels);
        return;
    }
    QStringList labels;
    labels.reserve(ChannelCount);
    for (int channel = 1; channel < FirstPrgChannel; ++channel)
        labels << channels.label(channel);

    int row = 0;
    for (int bank = 0; bank < BankCount; ++bank) {
        for (int k = 0; k < banks.count(bank) && row < FirstPrgChannel - 1; ++k)
            labels[row++] = BankRowLabel(bank, k);
    }
    labels << FixedRowLabels();
    channels.setLabels(labels);
    if (complete) {
        lastCounts = banks.counts();
        lastLabels = labels;
    }
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
