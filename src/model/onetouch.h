#pragma once

#include "model/result.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>

namespace n35
{

class BankPartition;

// The radio's nine one-touch memory keys. A key recalls one memory channel, named by its bank and its
// position inside that bank, or is disabled. The radio keeps three bytes per key in one block: the bank
// (0xFF: disabled) and the position, 16-bit, low byte first.
class OneTouchKeys : public QObject
{
    Q_OBJECT
public:
    static constexpr int KeyCount = 9;
    static constexpr int DisabledBank = 0xFF;

    struct Key {
        bool disabled = true;
        int bank = 0;     // the bank number the key shows
        int position = 0; // the channel's position inside that bank
        bool operator==(const Key &) const = default;
    };

    // Every key disabled, showing the first bank of the default partition and position 0.
    explicit OneTouchKeys(QObject *parent = nullptr);

    const Key &key(int i) const { return keys.at(static_cast<std::size_t>(i)); }

    // The banks a key can name: those that hold channels, in ascending order, as decimal text.
    const QStringList &bankEntries() const { return banks; }
    // The positions a key's channel list offers: the channel count of the bank it shows.
    int positionCount(int i) const;

    // The user's choices. A bank not listed is ignored; choosing a bank with another channel count
    // starts its position again at 0, one with the same count keeps it.
    void setDisabled(int i, bool disabled);
    void setBank(int i, int bank);
    void setPosition(int i, int position);
    // "Reset": every key disabled on the first bank, position 0.
    void reset();

    // Follows a changed partition: a key keeps its bank while that bank holds channels and its position
    // while the bank still has it; otherwise it moves to the first bank, position 0.
    void followPartition(const BankPartition &partition);

    // 54 hex characters, three bytes per key.
    QString MakeOneTouchData() const;
    // Sets all nine keys from the first 54 characters, or none of them when the text is too short or
    // not hex. A bank that holds no channels falls back to the first bank, position 0, still enabled;
    // a position beyond the bank's channels to 0.
    Status ExpandOneTouchData(const QString &hex);
    // The verbs every region offers.
    QString encode() const { return MakeOneTouchData(); }
    Status decode(const QString &hex) { return ExpandOneTouchData(hex); }

    // Everything this region holds, to take an edit back: state() and restore() give it exactly.
    using State = std::array<Key, KeyCount>;
    State state() const { return keys; }
    void restore(const State &state) { apply(state); }

signals:
    void changed();

private:
    int countOf(int bank) const;
    void apply(const std::array<Key, KeyCount> &next);

    std::array<Key, KeyCount> keys{};
    std::array<int, 50> counts{};
    QStringList banks;
};

} // namespace n35
