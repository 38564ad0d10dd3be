#pragma once

#include <QStringList>
#include <array>

namespace n35
{

inline constexpr int BankCount = 50;
inline constexpr int BankChannelTotal = 500;

// How the 500 ordinary channels are shared out among banks 0..49.
struct BankPartition {
    std::array<int, BankCount> counts{};

    BankPartition() { reset(); }
    // Banks 0..4 hold 100 channels each, the rest none.
    void reset();
    int total() const;
};

class ChannelTable;

// The radio form of the partition: block 0 holds the counts of banks 0..31 (128 hex characters), block 1
// those of banks 32..49 followed by the fixed sizes of the special groups (100 characters). Counts are
// 16-bit, low byte first.
QString EncodeBankBlock(const BankPartition &banks, int block);

// Row labels of the 952 channel rows: "Bank03-099" for the bank rows, then the fixed labels of the
// special groups. With a bank total below 500 the rows after the last bank row keep their old labels.
void LabelChannelRows(const BankPartition &banks, ChannelTable &channels);

} // namespace n35
