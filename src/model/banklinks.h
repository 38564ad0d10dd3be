#pragma once

#include "model/result.h"

#include <QObject>
#include <QString>
#include <array>

namespace n35
{

class BankPartition;

// The radio's bank links: eleven groups (Group0..Group9 and GroupB), each a set of banks. Only banks that
// hold channels can be linked. The radio keeps 8 bytes per group, one bit per bank, most significant
// bit first, in two blocks: groups 0-7 in the first, groups 8-10 in the second.
class BankLinks : public QObject
{
    Q_OBJECT
public:
    static constexpr int GroupCount = 11;
    static constexpr int BankCount = 50;
    static constexpr int HexLength = 176;

    using Flags = std::array<std::array<bool, BankCount>, GroupCount>;

    explicit BankLinks(QObject *parent = nullptr);

    bool linked(int group, int bank) const;
    void setLinked(int group, int bank, bool linked);
    void toggle(int group, int bank);
    // "Clear": no links at all (the start-up state).
    void reset();
    // Drops every link of a bank that holds no channels (the window does this when it opens).
    void dropEmptyBanks(const BankPartition &partition);

    // 176 hex characters, groups 0 to 10.
    QString MakeBankLink() const;
    // From at least 176 hex characters (the two blocks as read, 256, may be passed whole): characters
    // 1-13 of each 16 are the group's bits. Digits of either case; any other character in them, or a
    // text too short, is a Problem and changes nothing.
    Status ExpandBankLink(const QString &hex);
    // The verbs every region offers.
    QString encode() const { return MakeBankLink(); }
    Status decode(const QString &hex) { return ExpandBankLink(hex); }

    // "Group0".."Group9", "GroupB".
    static QString GroupName(int group);

    // Everything this region holds, to take an edit back: state() and restore() give it exactly.
    using State = Flags;
    State state() const { return flags; }
    void restore(const State &state) { apply(state); }

signals:
    void changed();

private:
    void apply(const Flags &next);

    Flags flags{};
};

} // namespace n35
