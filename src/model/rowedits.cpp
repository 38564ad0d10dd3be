#include "model/rowedits.h"

#include "model/channelcells.h"

#include <algorithm>

namespace n35
{

namespace
{

void SwapRows(ChannelTable &table, int a, int b)
{
    const ChannelCells cells = table.cells(a);
    const bool used = table.used(a);
    table.setUsed(a, table.used(b));
    table.setCells(a, table.cells(b));
    table.setUsed(b, used);
    table.setCells(b, cells);
}

} // namespace

RowGroup RowGroupOf(const BankPartition &banks, int row)
{
    if (row < FirstPrgChannel) {
        int start = 1;
        for (int bank = 0; bank < BankCount; ++bank) {
            const int end = std::min(start + banks.count(bank) - 1, FirstPrgChannel - 1);
            if (row >= start && row <= end)
                return {start, end, 1};
            start = end + 1;
        }
        // Rows past the partition's total (a partition still being typed) form one group of their own.
        return {start, FirstPrgChannel - 1, 1};
    }
    if (row < FirstDualChannel)
        return {FirstPrgChannel, FirstDualChannel - 1, 2};
    if (row < FirstPrioChannel)
        return {FirstDualChannel, FirstPrioChannel - 1, 2};
    if (row < Call222Channel)
        return {FirstPrioChannel, Call222Channel - 1, 1};
    if (IsCallChannel(row))
        return {row, row, 0};
    return {FirstPassChannel, FirstPassChannel + PassChannelCount - 1, 1};
}

int UnitStart(const RowGroup &group, int row)
{
    if (group.unit == 0)
        return row;
    return group.first + (row - group.first) / group.unit * group.unit;
}

MovedRows MoveRows(ChannelTable &table, const BankPartition &banks, int first, int last, int step)
{
    if (first > last)
        std::swap(first, last);
    first = std::max(first, 1);
    last = std::min(last, ChannelCount);
    if (first > last || (step != 1 && step != -1))
        return {};

    // The units the selection touches, and where each goes; refuse the whole move if one cannot.
    std::vector<std::pair<int, RowGroup>> units;
    for (int row = first; row <= last; ++row) {
        const RowGroup group = RowGroupOf(banks, row);
        if (group.unit == 0)
            return {};
        const int start = UnitStart(group, row);
        if (!units.empty() && units.back().first == start)
            continue;
        const int target = start + step * group.unit;
        if (target < group.first || target + group.unit - 1 > group.last)
            return {};
        units.emplace_back(start, group);
    }
    // Moving up, the upper units go first, so a block of selected units moves as one.
    if (step > 0)
        std::reverse(units.begin(), units.end());
    for (const auto &[start, group] : units) {
        for (int k = 0; k < group.unit; ++k)
            SwapRows(table, start + k, start + k + step * group.unit);
    }
    const RowGroup firstGroup = RowGroupOf(banks, first);
    const RowGroup lastGroup = RowGroupOf(banks, last);
    const int newFirst = UnitStart(firstGroup, first) + step * firstGroup.unit;
    const int newLast = UnitStart(lastGroup, last) + lastGroup.unit - 1 + step * lastGroup.unit;
    return {true, newFirst, newLast};
}

std::vector<int> BulkColumns()
{
    return {ColMode,  ColStep,  ColSubtone, ColTxTone,    ColRxTone,
            ColTxDcs, ColRxDcs, ColShift,   ColShiftFreq, ColSkip};
}

QString SetColumnOfRows(ChannelTable &table, int first, int last, int column, const QString &text)
{
    const std::vector<int> columns = BulkColumns();
    if (std::find(columns.begin(), columns.end(), column) == columns.end())
        return QStringLiteral("%1 cannot be set for several rows at once").arg(CellCaption(column));
    QString cell = text;
    if (column == ColShiftFreq) {
        // The offset as the editor takes it: MHz with up to five decimals, "MHz" optional.
        QString number = text.trimmed();
        if (number.endsWith(QLatin1String("MHz"), Qt::CaseInsensitive))
            number.chop(3);
        const auto hz = ParseFrequency(number);
        if (!hz)
            return QStringLiteral("\"%1\" is no offset in MHz").arg(QuotedExcerpt(text));
        if (*hz > MaxOffsetHz)
            return QStringLiteral("\"%1\" is more than the radio's largest offset, %2")
                .arg(text, FrequencyText(MaxOffsetHz));
        cell = FrequencyText(*hz);
    }
    if (column == ColMode && cell.isEmpty())
        return QStringLiteral("\"\" cannot be stored: the radio stores FM or NFM only");
    if (const Result<std::uint32_t> code = CellCode(column, cell); !code)
        return code.problem().why;

    if (first > last)
        std::swap(first, last);
    for (int row = std::max(first, 1); row <= std::min(last, ChannelCount); ++row) {
        if (!table.used(row) || table.cell(row, column) == cell)
            continue;
        table.setCell(row, column, cell);
    }
    return {};
}

} // namespace n35
