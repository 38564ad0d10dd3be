#pragma once

#include "model/keyverdict.h"
#include "model/result.h"

#include <QChar>
#include <QObject>
#include <QString>
#include <array>

namespace n35
{

inline constexpr int BankCount = 50;
inline constexpr int BankChannelTotal = 500;
// Largest count of one bank, and the range of its slider.
inline constexpr int MaxBankCount = 500;

class ChannelTable;

// How the 500 ordinary channels are shared out among banks 0..49. A partition is valid only when the
// counts add up to exactly 500; while the user edits the bank page it may be anything.
class BankPartition : public QObject
{
    Q_OBJECT
public:
    using Counts = std::array<int, BankCount>;

    explicit BankPartition(QObject *parent = nullptr);

    // Banks 0..4 hold 100 channels each, the rest none.
    static Counts DefaultCounts();
    // Every count 0..500 and the total 500.
    static bool IsValid(const Counts &counts);

    const Counts &counts() const { return bankCounts; }
    int count(int bank) const { return bankCounts.at(static_cast<std::size_t>(bank)); }
    int total() const;
    bool valid() const { return IsValid(bankCounts); }

    // A count as the user typed it (0..9999: a count box holds four digits until it loses the focus).
    void setCount(int bank, int count);
    void setCounts(const Counts &counts);
    // The start-up partition, DefaultCounts().
    void reset();

    // The radio's bytes of the partition as the writes send them: block 0 (64 bytes), then block 1 (50),
    // as EncodeBankBlock makes them.
    QString encode() const;
    // The two blocks as read, one after the other (block 0's 128 hex characters, then block 1's), decoded
    // by DecodeBankBlock into a temporary and taken as applyDecoded takes them. A text too short or not
    // hex is a Problem and changes nothing. The answer is the counts the blocks held, so that a caller
    // can tell the user about a partition the default replaced.
    Result<Counts> decode(const QString &hex);

    // Takes a partition decoded from the radio or a file. One that is not valid is not taken: the
    // default partition replaces it and the answer is false.
    bool applyDecoded(const Counts &counts);

signals:
    void changed();

private:
    Counts bankCounts{};
};

// The radio form of the partition: block 0 holds the counts of banks 0..31 (128 hex characters), block 1
// those of banks 32..49 followed by the fixed sizes of the special groups (100 characters). Counts are
// 16-bit, low byte first.
QString EncodeBankBlock(const BankPartition &banks, int block);

// The counts of one block's banks into `counts` (the other banks untouched); the rest of block 1 is
// ignored. A text too short or not hex is a Problem and leaves `counts` as it was.
Status DecodeBankBlock(const QString &hex, int block, BankPartition::Counts &counts);

// Row labels of the 952 channel rows: "Bank03-099" for the bank rows, then the fixed labels of the
// special groups. With a bank total below 500 the rows after the last bank row keep their old labels.
void LabelChannelRows(const BankPartition &banks, ChannelTable &channels);

// The bank page's rules, for its count boxes and its "Up"/"Down" buttons.
inline constexpr int NoCurrentBank = 100; // until a slider has had the focus
// "Up" (+1) or "Down" (-1) on the current bank: nothing before a bank is current, and never beyond
// 0..500.
void StepBankCount(BankPartition &banks, int currentBank, int step);
// A key typed into a count box: digits while it holds fewer than four characters, Backspace, and Enter.
KeyVerdict FilterCountKey(QChar key, int boxLength);
// The count a box holds: its digits as a number (none is 0).
int CountBoxNumber(const QString &text);
// The count a box settles to when it loses the focus: a count above 500 becomes 100.
int CountBoxSettled(const QString &text);

} // namespace n35
