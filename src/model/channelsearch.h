#pragma once

#include "model/channeltable.h"

#include <QString>
#include <optional>

namespace n35
{

// Finding rows of the memory grid by what the user remembers of them.

// The next channel after `from` (before it when !forward) whose frequency or name holds `text`, as typed
// and in any case ("223.5" finds "223.50000MHz", "rpt" finds "RPT NORTH"); the search wraps round the
// 952 rows and comes back to `from` last. nullopt for an empty text or when no row holds it.
struct FoundChannel {
    int channel = 0;
    bool wrapped = false; // the search passed the last row (the first, searching backwards)
};
std::optional<FoundChannel> FindChannel(const ChannelTable &table, const QString &text, int from,
                                        bool forward = true);

// The channel a row label names ("Bank03-010", "CALL-222", "prg-0a"), spaces and case ignored; a plain
// number 1..952 is the channel of that number. nullopt when no row has the label.
std::optional<int> ChannelOfLabel(const ChannelTable &table, const QString &label);

} // namespace n35
