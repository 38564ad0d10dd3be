#include "model/rowshift.h"

#include "model/channelcells.h"
#include "model/channeledit.h"
#include "model/fixedtexts.h"
#include "model/rowedits.h"
#include "model/valuetables.h"

#include <QHash>
#include <algorithm>
#include <limits>

namespace n35
{

namespace
{

// The rows being rearranged: a copy of the table's, put back in one go so the change is one step.
struct Rows {
    explicit Rows(const ChannelTable &table) : cells(table.allRows()), used(table.allUsed()) {}

    std::size_t at(int row) const { return static_cast<std::size_t>(row - 1); }
    bool holds(int row) const { return used[at(row)] != 0 || !cells[at(row)].at(ColFrequency - 1).isEmpty(); }
    void copy(int from, int to)
    {
        cells[at(to)] = cells[at(from)];
        used[at(to)] = used[at(from)];
    }
    void clear(int row)
    {
        cells[at(row)] = ChannelCells{};
        used[at(row)] = 0;
    }
    void applyTo(ChannelTable &table) const { table.restore(cells, used); }

    std::vector<ChannelCells> cells;
    std::vector<unsigned char> used;
};

void Normalise(int &first, int &last)
{
    if (first > last)
        std::swap(first, last);
    first = std::max(first, 1);
    last = std::min(last, ChannelCount);
}

// What a unit sorts by: its first row that holds a channel.
struct UnitKey {
    int start = 0;
    bool empty = true;
    std::uint32_t hz = 0;
    QString name;
};

bool SortsBefore(const UnitKey &a, const UnitKey &b, SortKey key)
{
    if (a.empty != b.empty)
        return b.empty;
    if (key == SortKey::Frequency)
        return a.hz < b.hz;
    if (a.name.isEmpty() != b.name.isEmpty())
        return b.name.isEmpty();
    return QString::compare(a.name, b.name, Qt::CaseInsensitive) < 0;
}

void SortUnits(Rows &rows, int from, int to, int unit, SortKey key)
{
    std::vector<UnitKey> units;
    for (int start = from; start <= to; start += unit) {
        UnitKey unitKey{start, true, 0, {}};
        for (int row = start; row < start + unit && unitKey.empty; ++row) {
            if (!rows.holds(row))
                continue;
            const ChannelCells &cells = rows.cells[rows.at(row)];
            unitKey.empty = false;
            unitKey.hz = ParseFrequency(cells.at(ColFrequency - 1))
                             .value_or(std::numeric_limits<std::uint32_t>::max());
            unitKey.name = cells.at(ColName - 1);
        }
        units.push_back(unitKey);
    }
    std::stable_sort(units.begin(), units.end(),
                     [key](const UnitKey &a, const UnitKey &b) { return SortsBefore(a, b, key); });
    const Rows before = rows;
    int target = from;
    for (const UnitKey &unitKey : units) {
        for (int k = 0; k < unit; ++k, ++target) {
            rows.cells[rows.at(target)] = before.cells[before.at(unitKey.start + k)];
            rows.used[rows.at(target)] = before.used[before.at(unitKey.start + k)];
        }
    }
}

// The last row of the selection's part in `group`, rounded out to a whole unit.
int UnitEnd(const RowGroup &group, int last)
{
    return UnitStart(group, std::min(last, group.last)) + group.unit - 1;
}

// Calls work(group, from, to) for each group the rows first..last reach, from the start of the unit (a
// row, or a pair) that holds the first of them to the end of the unit that holds the last; the CALL rows,
// which belong to no group, are passed over.
template <typename Work> void ForEachGroupSpan(const BankPartition &banks, int first, int last, Work work)
{
    for (int row = first; row <= last;) {
        const RowGroup group = RowGroupOf(banks, row);
        if (group.unit == 0) {
            ++row;
            continue;
        }
        const int from = UnitStart(group, row);
        const int to = UnitEnd(group, last);
        work(group, from, to);
        row = to + 1;
    }
}

} // namespace

SortedRows SortRows(ChannelTable &table, const BankPartition &banks, int first, int last, SortKey key)
{
    Normalise(first, last);
    if (first > last)
        return {};
    const RowGroup firstGroup = RowGroupOf(banks, first);
    if (firstGroup.unit != 0 && UnitStart(firstGroup, first) == UnitStart(firstGroup, last) &&
        last <= firstGroup.last) {
        first = firstGroup.first;
        last = firstGroup.last;
    }
    Rows rows(table);
    SortedRows sorted;
    ForEachGroupSpan(banks, first, last, [&](const RowGroup &group, int from, int to) {
        SortUnits(rows, from, to, group.unit, key);
        sorted.first = sorted.first ? sorted.first : from;
        sorted.last = to;
    });
    rows.applyTo(table);
    return sorted;
}

ShiftedRows InsertEmptyRow(ChannelTable &table, const BankPartition &banks, int row)
{
    if (row < 1 || row > ChannelCount)
        return {};
    const RowGroup group = RowGroupOf(banks, row);
    if (group.unit == 0)
        return {false, row, FixedText::CallChannelsStay()};
    const int start = UnitStart(group, row);
    const int lastUnit = group.last - group.unit + 1;
    Rows rows(table);
    for (int r = lastUnit; r <= group.last; ++r) {
        if (rows.holds(r)) {
            const QString unit = row < FirstPrgChannel ? QStringLiteral("bank") : QStringLiteral("group");
            return {false, row, FixedText::NoRoomForEmptyRow(table.label(r), unit)};
        }
    }
    for (int r = group.last; r >= start + group.unit; --r)
        rows.copy(r - group.unit, r);
    for (int r = start; r < start + group.unit; ++r)
        rows.clear(r);
    rows.applyTo(table);
    return {true, start, {}};
}

ShiftedRows DeleteAndShiftUp(ChannelTable &table, const BankPartition &banks, int first, int last)
{
    Normalise(first, last);
    Rows rows(table);
    ShiftedRows shifted;
    ForEachGroupSpan(banks, first, last, [&](const RowGroup &group, int from, int to) {
        int write = from;
        for (int read = to + 1; read <= group.last; ++read, ++write)
            rows.copy(read, write);
        for (; write <= group.last; ++write)
            rows.clear(write);
        if (!shifted.done)
            shifted = {true, from, {}};
    });
    if (!shifted.done)
        return {false, first, FixedText::CallChannelsStay()};
    rows.applyTo(table);
    return shifted;
}

std::vector<std::vector<int>> FindDuplicateRows(const ChannelTable &table)
{
    std::vector<std::vector<int>> sets;
    QHash<QString, std::size_t> setOfKey;
    for (int row = 1; row <= ChannelCount; ++row) {
        if (IsCallChannel(row) || !table.used(row))
            continue;
        const auto hz = ParseFrequency(table.cell(row, ColFrequency));
        if (!hz)
            continue;
        const QString &shift = table.cell(row, ColShift);
        const bool shifted = shift == QLatin1String("+") || shift == QLatin1String("-");
        QStringList key{QString::number(*hz), shifted ? shift : QString()};
        if (shifted)
            key << QString::number(ParseFrequency(table.cell(row, ColShiftFreq)).value_or(0));
        const QString &type = table.cell(row, ColSubtone);
        key << type;
        const ToneListsEnabled tones = TypeRule(ToneTypeIndex(type));
        const std::pair<bool, int> lists[] = {{tones.txTone, ColTxTone},
                                              {tones.rxTone, ColRxTone},
                                              {tones.txDcs, ColTxDcs},
                                              {tones.rxDcs, ColRxDcs}};
        for (const auto &[counts, column] : lists)
            key << (counts ? table.cell(row, column) : QString());
        const QString joined = key.join(QLatin1Char('|'));
        if (const auto found = setOfKey.constFind(joined); found != setOfKey.cend()) {
            sets[*found].push_back(row);
        } else {
            setOfKey.insert(joined, sets.size());
            sets.push_back({row});
        }
    }
    std::erase_if(sets, [](const std::vector<int> &set) { return set.size() < 2; });
    return sets;
}

} // namespace n35
