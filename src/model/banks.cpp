#include "model/banks.h"

#include "model/channeltable.h"
#include "model/hex.h"

namespace n35
{

void BankPartition::reset()
{
    counts.fill(0);
    for (int bank = 0; bank < 5; ++bank)
        counts[bank] = 100;
}

int BankPartition::total() const
{
    int sum = 0;
    for (int count : counts)
        sum += count;
    return sum;
}

QString EncodeBankBlock(const BankPartition &banks, int block)
{
    QString hex;
    const int first = block == 0 ? 0 : 32;
    const int last = block == 0 ? 31 : BankCount - 1;
    for (int bank = first; bank <= last; ++bank)
        hex += Word16Hex(static_cast<std::uint16_t>(banks.counts[bank]));
    if (block != 0)
        hex += QStringLiteral("6400C800320002006400") + QStringLiteral("00000000");
    return hex;
}

void LabelChannelRows(const BankPartition &banks, ChannelTable &channels)
{
    QStringList labels;
    for (int channel = 1; channel <= ChannelCount; ++channel)
        labels << channels.label(channel);

    int row = 0;
    for (int bank = 0; bank < BankCount; ++bank) {
        for (int k = 0; k < banks.counts[bank] && row < FirstPrgChannel - 1; ++k) {
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

} // namespace n35
